// SPDX-License-Identifier: MIT
// Copies of a password that stay where the user puts them.
#pragma once

#include <windows.h>

namespace zorvane::win32 {

// Every copy and drag out of the rich edit `field` (its menu's Copy, Ctrl+C,
// Ctrl+Insert, dragging) carries, with the text, the formats that keep it out
// of clipboard history, cloud sync and clipboard monitors.
void KeepCopiesPrivate(HWND field);

} // namespace zorvane::win32
