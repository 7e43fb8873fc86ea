// SPDX-License-Identifier: MIT
// Planted beside the tests as an attacker would beside zorvane.exe: all its "random" bytes are 0.
#include <windows.h>

extern "C" __declspec(dllexport) LONG WINAPI
    BCryptGenRandom(void *, PUCHAR buffer, ULONG size, ULONG)
{
    ZeroMemory(buffer, size);
    return 0;
}
