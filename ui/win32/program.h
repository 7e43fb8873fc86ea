// SPDX-License-Identifier: MIT
// What the program needs around its windows: COM for the picture decoders,
// the common controls, the window classes, and the message loop.
#pragma once

#include "handles.h"

namespace zorvane::win32 {

// Set up once per thread before any window is made; undone on destruction.
class Session {
public:
    explicit Session(HINSTANCE module);
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;
    ~Session();

private:
    bool comReady_ = false;
};

// The system's dots per inch, as the manifest's DPI awareness reports it.
int SystemDpi();

// Hands `message` to the dialog manager, which moves the focus on Tab and
// turns Enter and Esc into commands, or else to its window.
void Deliver(MSG &message);

// Runs until the program ends; returns its exit code.
int RunMessageLoop();

} // namespace zorvane::win32
