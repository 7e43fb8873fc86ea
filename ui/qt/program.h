// SPDX-License-Identifier: MIT
// Starting the program: shared by main and the start-up benchmark.
#pragma once

#include <memory>

namespace zorvane::ui {

class Form1;

// Prepares the application (name, fonts, pictures) and shows the main window
// centred on the screen with the focus in its length field. Call after the
// QApplication exists; the caller then runs the event loop.
std::unique_ptr<Form1> StartProgram();

} // namespace zorvane::ui
