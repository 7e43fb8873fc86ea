// SPDX-License-Identifier: MIT
// A stand-in bcrypt.dll, planted beside a test program as an attacker would
// plant one beside zorvane.exe in a download folder. Were it ever called,
// every "random" byte would be zero.
#include <windows.h>

extern "C" __declspec(dllexport) LONG WINAPI
    BCryptGenRandom(void *, PUCHAR buffer, ULONG size, ULONG)
{
    ZeroMemory(buffer, size);
    return 0;
}
