// SPDX-License-Identifier: MIT
#include "form1.h"
#include "program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    const zorvane::win32::Session session(instance);
    zorvane::win32::Form1 form1(instance, zorvane::win32::SystemDpi());
    form1.Show();
    return zorvane::win32::RunMessageLoop();
}
