// SPDX-License-Identifier: MIT
// Helpers the window tests share: driving the real message loop, reading back
// what the windows drew, and the main window as a fixture.
#pragma once

#include "forms/about_window.h"
#include "forms/main_window.h"
#include "ink.h"
#include "main_window.h"
#include "program.h"
#include "random_source.h"
#include "text.h"
#include "window.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zorvane::win32::testing {

using forms::MainControl;

// Handles every waiting message as the program's loop would; presses and
// releases `key` on the focused control through it.
void Pump();
void PressKey(int key);
inline constexpr auto kKeyUp = static_cast<LPARAM>(0xC0000001u); // a released key's flags
// PressKey with Ctrl held, as the keyboard state tells it.
void PressWithControl(int key);

// The ways a user copies a selection, by the key held with Ctrl; 0 is the
// menu's Copy, which sends WM_COPY.
inline constexpr std::pair<const char *, int> kCopyWays[] = {
    {"menu Copy", 0}, {"Ctrl+C", 'C'}, {"Ctrl+Insert", VK_INSERT}};
// Empties the clipboard, then copies all of `field` the way `key` names.
void CopyAllOf(HWND field, int key);

// The control `id` of `window`, found as automation finds it: by its
// identifier, 100 plus its index in the window's table.
template <typename Id> HWND ControlOf(HWND window, Id id)
{
    return GetDlgItem(window, 100 + static_cast<int>(id));
}
// Indexed as `table`; null for decoration.
std::vector<HWND> ControlsOf(HWND window, const forms::Window &table);
HWND FindAbout();
RECT PlaceOf(HWND control); // in its parent's client coordinates
std::array<LONG, 4> Edges(const RECT &r);

// A window's client area as drawn, after a full redraw.
struct Snapshot {
    explicit Snapshot(HWND window);
    [[nodiscard]] COLORREF At(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
    [[nodiscard]] int Count(const RECT &area, COLORREF colour) const;
    [[nodiscard]] zorvane::testing::Image ToImage() const;

    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
};

// As ink.h spells colours, 0xRRGGBB.
constexpr std::uint32_t Rgb(COLORREF c)
{
    return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// The windows' own colours.
inline constexpr COLORREF kMainBackground = RGB(128, 255, 128),
                          kAboutBackground = RGB(192, 192, 192), kBlue = RGB(0, 0, 255),
                          kRed = RGB(255, 0, 0), kBlack = RGB(0, 0, 0),
                          kYellowFace = RGB(255, 255, 0), kPinkFace = RGB(255, 128, 128),
                          kGreenFace = RGB(0, 192, 0), kMagenta = RGB(255, 0, 255);

struct Pixel {
    const char *what;
    int x, y;
    COLORREF colour;
};
void ExpectPixels(const Snapshot &shot, std::initializer_list<Pixel> expected);

// The system's view of the display, replaced while this lives.
struct FakeDisplay {
    explicit FakeDisplay(const Display &fake) : real(CurrentDisplay()) { CurrentDisplay() = fake; }
    ~FakeDisplay() { CurrentDisplay() = real; }
    FakeDisplay(const FakeDisplay &) = delete;
    FakeDisplay &operator=(const FakeDisplay &) = delete;
    const Display real;
};

// The DPI of every monitor, and whether the user asked for high contrast.
inline int monitorDpi = 96;
UINT WINAPI MonitorDpi(HWND);
inline bool highContrast = false;
bool HighContrast();

struct FailingSource final : RandomSource {
    bool Fill(std::span<std::uint8_t>) override { return false; }
};

// The main window, shown, with the program's ending recorded, not carried out;
// every monitor at the DPI it is opened at, without high contrast.
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
    static void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0), Pump(); }
    static std::string Text(HWND control) { return Narrow(WindowText(control)); }
    [[nodiscard]] HWND Control(MainControl id) const { return ControlOf(window_->Handle(), id); }
    [[nodiscard]] std::string Text(MainControl id) const { return Text(Control(id)); }
    void Generate(const wchar_t *length)
    {
        SetWindowTextW(Control(MainControl::LengthField), length);
        Click(Control(MainControl::GenerateButton));
    }
    // The About window, shown by its button.
    HWND About() { return Click(Control(MainControl::AboutButton)), FindAbout(); }

    FakeDisplay display_{{&MonitorDpi, CurrentDisplay().workArea, &HighContrast}};
    std::unique_ptr<MainWindow> window_;
    std::vector<int> endedWith_; // one exit code per ending of the program
};

} // namespace zorvane::win32::testing
