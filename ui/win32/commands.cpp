// SPDX-License-Identifier: MIT
#include "commands.h"

namespace zorvane::win32 {

int PressedIndex(HWND window, int id, HWND control, UINT code)
{
    if (id == IDOK && !control) {
        const HWND focus = GetFocus();
        return focus && IsChild(window, focus) ? GetDlgCtrlID(focus) - kFirstControlId
                                               : forms::kNone;
    }
    return control && code == BN_CLICKED ? id - kFirstControlId : forms::kNone;
}

} // namespace zorvane::win32
