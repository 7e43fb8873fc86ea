// SPDX-License-Identifier: MIT
// What the program needs around its windows: COM for the picture decoders,
// the common and rich edit controls, the window classes, and the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace zorvane::win32 {

// The system library that holds the password field's class.
inline constexpr std::wstring_view kRichEditLibrary = L"msftedit.dll";

// Has Windows look for libraries the program loads in the system folder only,
// never beside the program or in the current folder. Called first; loading a
// library from there is system_library.h's.
void UseSystemLibrariesOnly();

// Set up once per thread before any window is made; undone on destruction.
class Session {
public:
    // `richEdit` names the library of the password field's class, loaded
    // from the system folder only.
    explicit Session(HINSTANCE module, std::wstring_view richEdit = kRichEditLibrary);
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;
    ~Session();

    // False when the password field's library could not be loaded: without
    // it the main window would have no password field.
    [[nodiscard]] bool Ready() const { return richEdit_ != nullptr; }

private:
    bool comReady_ = false;
    HMODULE richEdit_ = nullptr;
};

// Runs the program: shows the main window and handles its messages until the
// program ends; returns the exit code. When the password field's library
// `richEdit` cannot be loaded, it shows no window, hands `report` the text
// that says so, and returns 1. By default `report` shows a message box.
int RunProgram(HINSTANCE module, std::wstring_view richEdit = kRichEditLibrary,
               const std::function<void(const std::wstring &)> &report = {});

// The system's dots per inch, as the manifest's DPI awareness reports it.
int SystemDpi();

// Hands `message` to the dialog manager, which moves the focus on Tab and
// turns Enter and Esc into commands, or else to its window.
void Deliver(MSG &message);

} // namespace zorvane::win32
