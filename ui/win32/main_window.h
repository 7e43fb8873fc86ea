// SPDX-License-Identifier: MIT
// The main window: the length field, Generate, the password and its figure.
#pragma once

#include "about_window.h"
#include "window.h"

#include <functional>
#include <memory>

namespace zorvane {
class RandomSource;
}

namespace zorvane::win32 {
class Announcer;
}

namespace zorvane::win32 {

class MainWindow final : public Window {
public:
    static const WindowClass kClass;

    // Creates the window, hidden, with its controls sized for `dpi`.
    MainWindow(HINSTANCE module, int dpi);
    ~MainWindow() override;

    // Asks whether to quit; by default the exit confirmation box, owned by
    // `owner`. Tests answer it themselves.
    void SetConfirmQuit(std::function<bool(HWND owner)> confirmQuit);
    // How the program ends once its windows are gone; by default the message
    // loop ends with `exitCode`. Tests replace it so that they survive.
    void SetEndProgram(std::function<void(int exitCode)> endProgram);
    // Where passwords come from; the operating system's source by default.
    void SetRandomSource(std::unique_ptr<RandomSource> source);
    // Who tells a screen reader what each request did; the system's by default.
    void SetAnnouncer(std::unique_ptr<Announcer> announcer);

private:
    void OnCommand(int index) override;
    void OnWindowFocused() override;
    // Closing the main window always ends the program, even while the About
    // window exists: otherwise nothing could end it.
    void OnClose() override;

    void OnGenerate();
    void OnExit();
    void OnAbout();

    AboutWindow &EnsureAboutWindow();
    void EndProgram();

    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<RandomSource> source_;
    std::unique_ptr<Announcer> announcer_;
    std::function<bool(HWND)> confirmQuit_;
    std::function<void(int)> endProgram_;
};

} // namespace zorvane::win32
