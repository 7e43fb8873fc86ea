// SPDX-License-Identifier: MIT
// Starting the program: shared by main, the benchmarks and the screenshots.
#pragma once

#include <memory>

namespace zorvane::qt {

class MainWindow;

// Prepares the application (name, fonts, pictures) and shows the main window
// centred on the screen with the focus in its length field. Call after the
// QApplication exists; the caller then runs the event loop.
std::unique_ptr<MainWindow> StartProgram();

} // namespace zorvane::qt
