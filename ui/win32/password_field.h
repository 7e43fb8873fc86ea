// SPDX-License-Identifier: MIT
// What the password field does beyond a read-only rich edit control: it
// leaves Tab, Enter and Esc to the dialog manager, says in grey why it is
// empty after a failed request, and offers Copy and Select All on its menu.
#pragma once

#include <windows.h>

namespace zorvane::win32 {

// Subclasses `field` for as long as it exists. `sourceFailed` tells whether
// the last request got no random bytes; it must outlive the field.
void AttachPasswordField(HWND field, const bool &sourceFailed);

} // namespace zorvane::win32
