// SPDX-License-Identifier: MIT
// The main window: the length field, Generate, the password and its figure.
#pragma once

#include "about_window.h"
#include "captions.h"
#include "focus.h"
#include "fonts.h"
#include "forms/main_window.h"
#include "painter.h"
#include "window.h"

#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace zorvane {
class RandomSource;
}

namespace zorvane::win32 {

class MainWindow final : public Window<MainWindow> {
public:
    static constexpr const wchar_t *kClassName = L"ZorvaneForm1";
    static void RegisterClass(HINSTANCE module) { Register(module, kClassName); }

    // Creates the window, hidden, with its controls sized for `dpi`.
    MainWindow(HINSTANCE module, int dpi);
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;
    ~MainWindow();

    // Lays the window out for `dpi`, where it is not already.
    void UseDpi(int dpi);

    // Shows the window centred on the screen, with the focus in the length field.
    void Show();

    // Asks whether to quit; by default the exit confirmation box, owned by
    // `owner`. Tests answer it themselves.
    void SetConfirmQuit(std::function<bool(HWND owner)> confirmQuit);
    // How the program ends once its windows are gone; by default the message
    // loop ends with `exitCode`. Tests replace it so that they survive.
    void SetEndProgram(std::function<void(int exitCode)> endProgram);
    // Where passwords come from; the operating system's source by default.
    void SetRandomSource(std::unique_ptr<RandomSource> source);

    [[nodiscard]] HWND Control(forms::MainControl id) const;
    // Every control, indexed by forms::MainControl.
    [[nodiscard]] std::span<const HWND> Controls() const { return controls_; }
    // The About window, while it exists.
    [[nodiscard]] AboutWindow *About() const;

private:
    friend class Window<MainWindow>;
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Lays the window out again for `dpi` and takes the `suggested` frame.
    void OnDpiChanged(int dpi, LPARAM suggested);
    void Relayout(int dpi);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
    void OnSetFocus(HWND hwnd, HWND previous);
    void OnClose(HWND hwnd);

    void OnGenerate();
    void OnExit();
    void OnAbout();
    void OnGotFocus();

    AboutWindow &EnsureAboutWindow();
    void EndProgram();

    HINSTANCE module_;
    int dpi_;
    FontCache fonts_;
    std::vector<HWND> controls_; // indexed by forms::MainControl
    Captions captions_;
    Painter painter_;
    FocusKeeper focus_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<RandomSource> source_;
    std::function<bool(HWND)> confirmQuit_;
    std::function<void(int)> endProgram_;
    Icon bigIcon_, smallIcon_;
    bool sourceFailed_ = false; // the last request got no random bytes
};

} // namespace zorvane::win32
