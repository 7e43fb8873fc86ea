// SPDX-License-Identifier: MIT
// The About window: two pictures, a few words about the author, and Back.
#pragma once

#include "captions.h"
#include "focus.h"
#include "fonts.h"
#include "forms/about_window.h"
#include "painter.h"
#include "window.h"

#include <span>
#include <vector>

namespace zorvane::win32 {

class AboutWindow final : public Window<AboutWindow> {
public:
    static constexpr const wchar_t *kClassName = L"ZorvaneForm2";
    static void RegisterClass(HINSTANCE module) { Register(module, kClassName); }

    // A hidden top-level window owned by `owner`, so it stays in front of it.
    AboutWindow(HINSTANCE module, HWND owner, int dpi);
    AboutWindow(const AboutWindow &) = delete;
    AboutWindow &operator=(const AboutWindow &) = delete;
    ~AboutWindow();

    // Shows and activates the window, centred on the screen the first time.
    void Show();
    void Hide();
    [[nodiscard]] bool IsShown() const;

    [[nodiscard]] HWND Control(forms::AboutControl id) const;
    // Every control, indexed by forms::AboutControl.
    [[nodiscard]] std::span<const HWND> Controls() const { return controls_; }
    [[nodiscard]] const Painter &painter() const { return painter_; }

private:
    friend class Window<AboutWindow>;
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // Lays the window out again for `dpi` and takes the `suggested` frame.
    void OnDpiChanged(int dpi, LPARAM suggested);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);

    void OnBack();

    HINSTANCE module_;
    int dpi_;
    FontCache fonts_;
    std::vector<HWND> controls_; // indexed by forms::AboutControl
    Captions captions_;
    Painter painter_;
    FocusKeeper focus_;
    Icon bigIcon_, smallIcon_;
};

} // namespace zorvane::win32
