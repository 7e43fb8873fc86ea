// SPDX-License-Identifier: MIT
// High contrast: the windows draw in the system's colours while it is on,
// follow a change of those colours, and go back to their own when it ends.
// Wine neither keeps nor reports the setting, so the test tells the windows
// through their view of the display.
#include "support.h"

#include <commctrl.h>

#include <algorithm>

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;

LRESULT CALLBACK CountColourChanges(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR count)
{
    *reinterpret_cast<int *>(count) += message == WM_SYSCOLORCHANGE;
    return DefSubclassProc(control, message, wParam, lParam);
}

TEST_F(WindowTest, HighContrastDrawsInTheSystemsColoursUntilItEnds)
{
    // Window, its text, button face, button text, highlight and its text:
    // all unlike each other and the windows' own.
    constexpr int kElements[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                 COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT};
    constexpr COLORREF kTheme[] = {RGB(0, 0, 0),       RGB(255, 255, 0), RGB(0, 0, 96),
                                   RGB(255, 255, 255), RGB(0, 255, 255), RGB(0, 0, 1)};
    COLORREF saved[6];
    std::transform(kElements, kElements + 6, saved, GetSysColor);
    int changes = 0;
    SetWindowSubclass(Control(LengthField), &CountColourChanges, 1,
                      reinterpret_cast<DWORD_PTR>(&changes));
    Generate(L"9");
    highContrast = true;
    SendMessageW(window_->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    // Windows changes the colours next, and tells every top-level window.
    SetSysColors(6, kElements, kTheme);
    SendMessageW(window_->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_GE(changes, 1) << "passed on to the controls";
    const Snapshot shot(window_->Handle());
    ExpectPixels(shot, {{"background", 2, 2, RGB(0, 0, 0)},
                        {"label background", 100, 46, RGB(0, 0, 0)},
                        {"button outline", 8, 88, RGB(255, 255, 255)},
                        {"button face", 13, 93, RGB(0, 0, 96)}});
    EXPECT_EQ(shot.Count({0, 24, 9, 33}, RGB(255, 255, 0)), 81) << "square";
    EXPECT_GT(shot.Count({8, 88, 121, 129}, RGB(255, 255, 255)), 400) << "caption and outline";
    EXPECT_GT(shot.Count({169, 56, 249, 80}, RGB(255, 255, 0)), 20) << "figure";

    SetFocus(Control(GenerateButton));
    PostMessageW(Control(GenerateButton), WM_KEYDOWN, VK_SPACE, 1);
    Pump();
    const Snapshot pressed(window_->Handle());
    ExpectPixels(pressed, {{"pressed face", 16, 96, RGB(0, 255, 255)},
                           {"pressed edge", 8, 88, RGB(255, 255, 255)}});
    EXPECT_GT(pressed.Count({8, 88, 121, 129}, RGB(0, 0, 1)), 40) << "pressed caption";
    PostMessageW(Control(GenerateButton), WM_KEYUP, VK_SPACE, kKeyUp);

    SetSysColors(6, kElements, saved);
    highContrast = false;
    SendMessageW(window_->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    ExpectPixels(Snapshot(window_->Handle()), {{"background", 2, 2, kMainBackground},
                                               {"square", 4, 28, kRed},
                                               {"button outline", 8, 88, kYellowFace}});
    RemoveWindowSubclass(Control(LengthField), &CountColourChanges, 1);
}

} // namespace
} // namespace zorvane::win32::testing
