// SPDX-License-Identifier: MIT
// Keeps a window's keyboard focus across deactivation, as a dialog box does.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace zorvane::win32 {

class FocusKeeper {
public:
    FocusKeeper() = default;
    // `tabOrder`: the controls that take the focus, in the order Tab visits them.
    explicit FocusKeeper(std::vector<HWND> tabOrder) : tabOrder_(std::move(tabOrder)) {}

    // WM_ACTIVATE: on leaving, remembers the control that had the focus; on
    // coming back, gives the focus back to it, or to the first control that
    // can take it. Returns the control that got it, or nullptr when none can.
    HWND Activate(bool active);
    // The control that should hold the focus now, or nullptr when none can.
    [[nodiscard]] HWND Target() const;

private:
    std::vector<HWND> tabOrder_;
    HWND last_ = nullptr;
};

} // namespace zorvane::win32
