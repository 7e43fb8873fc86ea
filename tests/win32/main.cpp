// SPDX-License-Identifier: MIT
// Runs the window tests on one thread with COM, the common controls and the
// window classes set up, as the program has them.
#include "program.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const zorvane::win32::Session session(GetModuleHandleW(nullptr));
    return RUN_ALL_TESTS();
}
