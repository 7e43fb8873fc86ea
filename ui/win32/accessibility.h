// SPDX-License-Identifier: MIT
// What a screen reader hears for each control: the name the window shows.
#pragma once

#include <windows.h>

#include <string>

namespace zorvane::win32 {

// Answers an assistive technology's request for `control`'s accessible object
// (WM_GETOBJECT) with the system's own object, named `fixedName` or, where
// that is empty, by the control's current text; `graphic` marks a picture.
// Nothing of the accessibility runtime is loaded before the first request,
// so start-up does not pay for it.
void AttachAccessibleName(HWND control, std::wstring fixedName, bool graphic);

} // namespace zorvane::win32
