// SPDX-License-Identifier: MIT
// Text between the program's UTF-8 and the system's UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zorvane::win32 {

// UTF-8 and UTF-16 both ways; invalid input becomes U+FFFD, never a crash.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A window's whole text.
std::wstring WindowText(HWND window);

} // namespace zorvane::win32
