// SPDX-License-Identifier: MIT
#include "libraries.h"

#include <string>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace zorvane::win32 {

HMODULE LoadSystemLibrary(const wchar_t *name)
{
    // The flag also keeps the library's own dependencies to System32; Windows 7
    // without KB2533623 rejects it, and then the full path is the next best
    // (Microsoft's "LoadLibraryExW function").
    if (const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace zorvane::win32
