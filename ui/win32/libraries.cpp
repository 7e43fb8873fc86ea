// SPDX-License-Identifier: MIT
#include "libraries.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace zorvane::win32 {

void UseSystemLibrariesOnly()
{
    // Windows 7 has SetDefaultDllDirectories only with KB2533623, so it is
    // looked up rather than imported.
    const auto setDirectories = ProcedureAddress<BOOL(WINAPI *)(DWORD)>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDirectories || !setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        // At least not the current folder; the program's own folder stays in
        // the search, so the program names every library it loads by its full
        // path in the system folder.
        SetDllDirectoryW(L"");
}

} // namespace zorvane::win32
