// SPDX-License-Identifier: MIT
#include "focus.h"

#include <algorithm>

namespace zorvane::win32 {
namespace {

bool CanTakeFocus(HWND control)
{
    return control && IsWindowVisible(control) && IsWindowEnabled(control) &&
           (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP);
}

} // namespace

HWND FocusKeeper::Target() const
{
    if (CanTakeFocus(last_))
        return last_;
    const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(), CanTakeFocus);
    return first != tabOrder_.end() ? *first : nullptr;
}

HWND FocusKeeper::Activate(bool active)
{
    if (!active) {
        const HWND focus = GetFocus();
        if (std::find(tabOrder_.begin(), tabOrder_.end(), focus) != tabOrder_.end())
            last_ = focus;
        return nullptr;
    }
    const HWND target = Target();
    if (target)
        SetFocus(target);
    return target;
}

} // namespace zorvane::win32
