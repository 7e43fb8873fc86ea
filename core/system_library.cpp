// SPDX-License-Identifier: MIT
#include "system_library.h"

#include <string>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace zorvane {

HMODULE LoadSystemLibrary(std::wstring_view name)
{
    // The flag also keeps the library's own dependencies to System32
    // (Microsoft's "LoadLibraryExW function").
    const std::wstring library(name);
    if (const HMODULE module =
            LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    // Windows 7 without KB2533623 does not know the flag: the full path is the
    // next best.
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + library;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace zorvane
