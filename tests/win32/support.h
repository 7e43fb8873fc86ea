// SPDX-License-Identifier: MIT
// Helpers the window tests share: driving the real message loop, reading back
// what the windows drew, and the main window as a fixture.
#pragma once

#include "forms/about_window.h"
#include "forms/main_window.h"
#include "main_window.h"
#include "program.h"
#include "text.h"
#include "window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zorvane::win32::testing {

using forms::MainControl;

// Handles every waiting message as the program's loop would.
inline void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        Deliver(message);
}

// The flags a released key carries: previous state down, transition up.
inline constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);

// Presses and releases `key` on the focused control, through the message loop.
inline void PressKey(int key)
{
    PostMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    Pump();
    PostMessageW(GetFocus(), WM_KEYUP, static_cast<WPARAM>(key), kKeyUp);
    Pump();
}

// PressKey with Ctrl held, as the keyboard state tells it.
inline void PressWithControl(int key)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PressKey(key);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

// The ways a user copies a selection, by the key held with Ctrl; 0 is the
// menu's Copy, which sends WM_COPY.
inline constexpr std::pair<const char *, int> kCopyWays[] = {
    {"menu Copy", 0}, {"Ctrl+C", 'C'}, {"Ctrl+Insert", VK_INSERT}};

// Empties the clipboard, then selects all of `field` and copies it the way
// `key` names (kCopyWays).
inline void CopyAllOf(HWND field, int key)
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    SendMessageW(field, EM_SETSEL, 0, -1);
    if (key)
        PressWithControl(key);
    else
        SendMessageW(field, WM_COPY, 0, 0);
    Pump();
}

// The control `id` of `window`, found as automation finds it: by its
// identifier, 100 plus its index in the window's table.
template <typename Id> HWND ControlOf(HWND window, Id id)
{
    return GetDlgItem(window, 100 + forms::Index(id));
}

// Every control of `window`, indexed as `table`; null for decoration, which
// the window paints itself.
inline std::vector<HWND> ControlsOf(HWND window, const forms::Window &table)
{
    std::vector<HWND> controls;
    for (std::size_t i = 0; i < table.controls.size(); ++i)
        controls.push_back(ControlOf(window, static_cast<int>(i)));
    return controls;
}

// The About window, while it exists, found by its class.
inline HWND FindAbout()
{
    return FindWindowW(L"ZorvaneAboutWindow", nullptr);
}

// A control's rectangle in its parent's client coordinates.
inline RECT PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// A window's client area as drawn, after a full redraw.
struct Snapshot {
    explicit Snapshot(HWND window);
    [[nodiscard]] COLORREF At(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
    // How many pixels of `area` are exactly `colour`.
    [[nodiscard]] int Count(const RECT &area, COLORREF colour) const;

    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
};

// Checks each box of `window`, drawn at `dpi`, against `table`, and returns what it saw: the
// background alone where no control is; a square only its fill; a label only the
// background and its text colour (and blends), in its own face; a button only
// its face and black.
Snapshot ExpectDrawnAsDescribed(HWND window, const forms::Window &table, int dpi);

// The system's view of the display, replaced while this lives.
struct FakeDisplay {
    explicit FakeDisplay(const Display &fake) : real(CurrentDisplay()) { CurrentDisplay() = fake; }
    ~FakeDisplay() { CurrentDisplay() = real; }
    FakeDisplay(const FakeDisplay &) = delete;
    FakeDisplay &operator=(const FakeDisplay &) = delete;
    const Display real;
};

// The DPI of every monitor, as a window placed on one is told.
inline int monitorDpi = 96;
inline UINT WINAPI MonitorDpi(HWND)
{
    return static_cast<UINT>(monitorDpi);
}

// Whether the user asked for high contrast, as the windows are told.
inline bool highContrast = false;
inline bool HighContrast()
{
    return highContrast;
}

// The main window, shown, with the program's ending recorded, not carried out.
// Its monitor, and every other, is at the DPI it is opened at, without high
// contrast unless a test asks for it.
struct WindowTest : ::testing::Test {
    void SetUp() override { Open(96); }
    void Open(int dpi)
    {
        monitorDpi = dpi;
        highContrast = false;
        window_.reset();
        window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), dpi);
        ASSERT_TRUE(window_->Exists());
        window_->SetEndProgram([this](int exitCode) { endedWith_.push_back(exitCode); });
        window_->Show();
        Pump();
    }
    static void Click(HWND button)
    {
        SendMessageW(button, BM_CLICK, 0, 0);
        Pump();
    }
    static std::string Text(HWND control) { return Narrow(WindowText(control)); }
    [[nodiscard]] HWND Control(MainControl id) const { return ControlOf(window_->Handle(), id); }
    [[nodiscard]] std::string Text(MainControl id) const { return Text(Control(id)); }
    void Generate(const wchar_t *length)
    {
        SetWindowTextW(Control(MainControl::LengthField), length);
        Click(Control(MainControl::GenerateButton));
    }
    // The About window, shown by its button.
    HWND About()
    {
        Click(Control(MainControl::AboutButton));
        return FindAbout();
    }

    FakeDisplay display_{{&MonitorDpi, CurrentDisplay().workArea, &HighContrast}};
    std::unique_ptr<MainWindow> window_;
    std::vector<int> endedWith_; // one exit code per ending of the program
};

} // namespace zorvane::win32::testing
