// SPDX-License-Identifier: MIT
// What the password field does beyond a read-only rich edit control: it
// shows a password and wipes the copy it was given, leaves Tab, Enter and Esc
// to the dialog manager, says in grey why it is empty after a failed request,
// offers Copy and Select All on its menu, and keeps every copy out of
// clipboard history.
#pragma once

#include <windows.h>

#include <string>

namespace zorvane::win32 {

// Makes the rich edit control `field` the password field, for as long as it
// exists. False when the control takes no callback to mark its copies: then
// it makes none (copy keys beep, the menu's Copy is greyed), since an
// unmarked copy would reach clipboard history.
bool AttachPasswordField(HWND field);

// Where the field's menu opens for a WM_CONTEXTMENU at `where`: that point,
// or, from the keyboard (both coordinates -1), below the selection's start
// where it shows in the field, else at the field's top left corner. In screen
// coordinates.
POINT ContextMenuPoint(HWND field, LPARAM where);

// Gives `field` the text `password` in one write, then wipes all of
// `password`'s buffer: the field keeps its own copy, and this one held a
// secret. `sourceFailed`: the request got no random bytes, and an empty field
// says so.
void ShowPassword(HWND field, std::wstring &password, bool sourceFailed);

} // namespace zorvane::win32
