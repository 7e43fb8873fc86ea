// SPDX-License-Identifier: MIT
// Windows: system libraries loaded at run time, from the system folder only,
// and their procedures, the one way this program takes a procedure's address.
#pragma once

#include <windows.h>

#include <string_view>
#include <type_traits>

namespace zorvane {

// `name` from the system folder only, or null: a DLL of the same name beside
// the program is never picked up.
HMODULE LoadSystemLibrary(std::wstring_view name);

// True for a pointer to a function of Windows' own calling convention.
template <typename Procedure> struct IsWinApiPointer : std::false_type {};
template <typename Result, typename... Parameters>
struct IsWinApiPointer<Result(WINAPI *)(Parameters...)> : std::true_type {};

// A procedure of `module` as the function pointer type `Procedure`, or null.
template <typename Procedure> Procedure ProcedureAddress(HMODULE module, const char *name)
{
    // Every exported procedure of Windows is WINAPI. On x86 a pointer of
    // another convention still compiles and runs, and corrupts the stack on
    // every call; elsewhere there is only one convention, so the 32-bit build
    // is the one that checks this.
    static_assert(IsWinApiPointer<Procedure>::value,
                  "a procedure Windows exports is WINAPI: declare the pointer type with it");
    // Through the one function type every other converts to without a warning.
    return reinterpret_cast<Procedure>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace zorvane
