// SPDX-License-Identifier: MIT
// System libraries loaded on demand, from the system folder only: a DLL of
// the same name beside the program is never picked up.
#pragma once

#include <windows.h>

namespace zorvane::win32 {

// `name` from System32, or null.
HMODULE LoadSystemLibrary(const wchar_t *name);

// A procedure of `module` as the function pointer type `Procedure`, or null.
template <typename Procedure> Procedure ProcedureAddress(HMODULE module, const char *name)
{
    // Through the one function type every other converts to without a warning.
    return reinterpret_cast<Procedure>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace zorvane::win32
