// SPDX-License-Identifier: MIT
#include "program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return zorvane::win32::RunProgram(instance);
}
