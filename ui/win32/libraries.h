// SPDX-License-Identifier: MIT
// System libraries loaded on demand, from the system folder only: a DLL of
// the same name beside the program is never picked up.
#pragma once

#include <windows.h>

#include <string_view>

namespace zorvane::win32 {

// Has Windows look for libraries the program loads in the system folder only,
// never beside the program or in the current folder. Called first.
void UseSystemLibrariesOnly();

// `name` from the system folder only, or null.
HMODULE LoadSystemLibrary(std::wstring_view name);

// A procedure of `module` as the function pointer type `Procedure`, or null.
template <typename Procedure> Procedure ProcedureAddress(HMODULE module, const char *name)
{
    // Through the one function type every other converts to without a warning.
    return reinterpret_cast<Procedure>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace zorvane::win32
