// SPDX-License-Identifier: MIT
#include "libraries.h"

#include <string>

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

HMODULE LoadSystemLibrary(std::wstring_view name)
{
    // The flag also keeps the library's own dependencies to System32; Windows 7
    // without KB2533623 rejects it, and then the full path is the next best
    // (Microsoft's "LoadLibraryExW function").
    const std::wstring library(name);
    if (const HMODULE module =
            LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + library;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace zorvane::win32
