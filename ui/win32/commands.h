// SPDX-License-Identifier: MIT
// Control identifiers, derived from each window's enum of controls, and the
// control a WM_COMMAND presses.
#pragma once

#include "forms/model.h"

#include <windows.h>

#include <optional>

namespace zorvane::win32 {

// Identifiers start clear of IDOK and IDCANCEL: the dialog manager sends
// those for Enter and Esc, and they must never look like a click.
inline constexpr int kFirstControlId = 100;

constexpr int ControlId(int index)
{
    return kFirstControlId + index;
}

template <typename Id> constexpr int ControlId(Id id)
{
    return ControlId(forms::Index(id));
}

// The index of the control a WM_COMMAND to `window` presses, or forms::kNone.
// No button is the default: the dialog manager turns Enter into IDOK, which
// presses the focused control and nothing else; Esc (IDCANCEL) presses
// nothing. A click counts once, as BN_CLICKED.
int PressedIndex(HWND window, int id, HWND control, UINT code);

// The same, as the window's own enum of controls.
template <typename Id>
std::optional<Id> PressedControl(const forms::Window &table, HWND window, int id, HWND control,
                                 UINT code)
{
    return forms::ControlAt<Id>(table, PressedIndex(window, id, control, code));
}

} // namespace zorvane::win32
