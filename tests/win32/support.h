// SPDX-License-Identifier: MIT
// Helpers the window tests share, and the main window as a fixture.
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
#include <tuple>
#include <utility>
#include <vector>

namespace zorvane::win32::testing {

using forms::MainControl;

void Pump(); // as the program's loop would
inline constexpr int kShift = 0x10000, kCtrl = 0x20000;
// Presses and releases `key` where the focus is, with Shift or Ctrl held where it carries them.
void PressKey(int key);
void Key(HWND to, int key, bool down);

// The ways a user copies a selection; 0 is the menu's Copy, which sends WM_COPY.
inline constexpr std::pair<const char *, int> kCopyWays[] = {
    {"menu Copy", 0}, {"Ctrl+C", kCtrl | 'C'}, {"Ctrl+Insert", kCtrl | VK_INSERT}};
void CopyAllOf(HWND field, int key);
// The clipboard's text, then each privacy marker's DWORD, or "absent".
std::vector<std::string> Clipboard();
std::wstring Beside(const std::wstring &name);

// Found as automation finds it: by its identifier, 100 plus its index in the window's table.
template <typename Id> HWND ControlOf(HWND window, Id id)
{
    return GetDlgItem(window, 100 + static_cast<int>(id));
}
RECT PlaceOf(HWND control); // in its parent's client coordinates
std::array<LONG, 4> Edges(const RECT &r);
std::array<LONG, 4> Frame(HWND window, bool client = false);

struct Snapshot {
    explicit Snapshot(HWND window);
    [[nodiscard]] COLORREF At(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
    [[nodiscard]] int Count(const RECT &area, COLORREF colour) const;

    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
};

// As ink.h spells colours, 0xRRGGBB.
constexpr std::uint32_t Rgb(COLORREF c)
{
    return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

inline constexpr COLORREF kMainBackground = RGB(128, 255, 128),
                          kAboutBackground = RGB(192, 192, 192), kBlue = RGB(0, 0, 255),
                          kRed = RGB(255, 0, 0), kBlack = RGB(0, 0, 0),
                          kYellowFace = RGB(255, 255, 0), kGreenFace = RGB(0, 192, 0);

using Pixel = std::tuple<const char *, int, int, COLORREF>; // what, where and its colour
void ExpectPixels(const Snapshot &shot, std::initializer_list<Pixel> expected);
// Checks `shot` against the reference picture `name`.png; one that differs is saved.
void ExpectLooksLike(const Snapshot &shot, const std::wstring &name);

struct FakeDisplay {
    explicit FakeDisplay(const Display &fake) : real(CurrentDisplay()) { CurrentDisplay() = fake; }
    ~FakeDisplay() { CurrentDisplay() = real; }
    const Display real;
};

struct FailingSource final : RandomSource {
    bool Fill(std::span<std::uint8_t>) override { return false; }
};

// The main window, shown, its ending recorded, not carried out; every monitor at its DPI.
// Once it is gone, every GDI object, device context, menu and icon made meanwhile is too.
struct WindowTest : ::testing::Test {
    void SetUp() override { Open(96); }
    void TearDown() override
    {
        window_.reset();
        EXPECT_EQ(liveHandles, handlesBefore_)
            << "GDI objects, device contexts, menus or icons leaked";
    }
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
    static HWND FindAbout() { return FindWindowW(L"ZorvaneAboutWindow", nullptr); }
    static UINT WINAPI MonitorDpi(HWND) { return static_cast<UINT>(monitorDpi); }
    static bool HighContrast() { return highContrast; }
    [[nodiscard]] HWND Main() const { return window_->Handle(); }
    [[nodiscard]] HWND Control(MainControl id) const { return ControlOf(Main(), id); }
    [[nodiscard]] std::string Text(MainControl id) const { return Text(Control(id)); }
    void Generate(const wchar_t *length)
    {
        SetWindowTextW(Control(MainControl::LengthField), length);
        Click(Control(MainControl::GenerateButton));
    }
    HWND About() { return Click(Control(MainControl::AboutButton)), FindAbout(); }

    static inline int monitorDpi = 96;
    static inline bool highContrast = false;
    FakeDisplay display_{{&MonitorDpi, CurrentDisplay().workArea, &HighContrast}};
    const int handlesBefore_ = liveHandles;
    std::unique_ptr<MainWindow> window_;
    std::vector<int> endedWith_; // one exit code per ending of the program
};

} // namespace zorvane::win32::testing
