// SPDX-License-Identifier: MIT
// High contrast: the windows draw in the system's colours while it is on,
// follow a change of those colours, and go back to their own when it ends.
// Wine neither keeps nor reports the setting (SPI_SETHIGHCONTRAST), so the
// test tells the windows through their view of the display.
#include "support.h"

#include <algorithm>
#include <array>
#include <commctrl.h>

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;

// A high-contrast theme's colours, none of them one of the table's.
constexpr std::array kElements{COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                               COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT};
constexpr std::array<COLORREF, 6> kTheme{RGB(0, 0, 0),       RGB(255, 255, 0), RGB(0, 0, 96),
                                         RGB(255, 255, 255), RGB(0, 255, 255), RGB(0, 0, 1)};

LRESULT CALLBACK CountColourChanges(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR count)
{
    if (message == WM_SYSCOLORCHANGE)
        ++*reinterpret_cast<int *>(count);
    return DefSubclassProc(control, message, wParam, lParam);
}

TEST_F(WindowTest, HighContrastDrawsInTheSystemsColoursUntilItEnds)
{
    std::array<COLORREF, kElements.size()> saved{};
    for (std::size_t i = 0; i < kElements.size(); ++i)
        saved[i] = GetSysColor(kElements[i]);
    int changes = 0;
    const HWND field = Control(LengthField);
    SetWindowSubclass(field, &CountColourChanges, 1, reinterpret_cast<DWORD_PTR>(&changes));

    Generate(L"9");
    highContrast = true;
    SendMessageW(window_->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    // Windows changes the colours next, and tells every top-level window.
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), kTheme.data());
    SendMessageW(window_->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    Pump();
    EXPECT_GE(changes, 1) << "passed on to the controls";

    const Snapshot shot(window_->Handle());
    const auto box = [this](MainControl id) { return PlaceOf(Control(id)); };
    const auto area = [](const RECT &r) { return int((r.right - r.left) * (r.bottom - r.top)); };
    // The squares are painted by the window itself, where the table puts them.
    const auto square = [](MainControl id) {
        const forms::Pixels place = forms::PixelRect(forms::Row(id).rect, 96);
        return RECT{place.left, place.top, place.left + place.width, place.top + place.height};
    };
    // Wherever no control is, the window's background.
    int background = 0, elsewhere = 0;
    std::vector<RECT> places{square(LengthSquare), square(FigureSquare)};
    for (const HWND control : ControlsOf(window_->Handle(), forms::kMainWindow))
        if (control)
            places.push_back(PlaceOf(control));
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (std::none_of(places.begin(), places.end(), [x, y](const RECT &place) {
                    return PtInRect(&place, POINT{x, y}) != 0;
                }))
                ++(shot.At(x, y) == kTheme[0] ? background : elsewhere);
    EXPECT_GT(background, 100);
    EXPECT_EQ(elsewhere, 0);
    EXPECT_EQ(shot.Count(square(LengthSquare), kTheme[1]), area(square(LengthSquare))) << "square";
    const RECT generate = box(GenerateButton);
    EXPECT_EQ(shot.At(generate.left, generate.top), kTheme[3]) << "button outline";
    EXPECT_EQ(shot.At(generate.left + 5, generate.top + 5), kTheme[2]) << "button face";
    EXPECT_GT(shot.Count(generate, kTheme[3]), area(generate) / 20) << "caption and outline";
    EXPECT_GT(shot.Count(box(Figure), kTheme[1]), 0) << "label text";
    EXPECT_EQ(shot.Count(box(Figure), ColourRef(*forms::Row(Figure).colour)), 0);

    PostMessageW(Control(GenerateButton), WM_KEYDOWN, VK_SPACE, 1);
    Pump();
    EXPECT_EQ(Snapshot(window_->Handle()).At(generate.left + 8, generate.top + 8), kTheme[4])
        << "pressed";
    PostMessageW(Control(GenerateButton), WM_KEYUP, VK_SPACE, kKeyUp);
    Pump();

    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), saved.data());
    highContrast = false;
    SendMessageW(window_->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    ExpectDrawnAsDescribed(window_->Handle(), forms::kMainWindow, 96);
    RemoveWindowSubclass(field, &CountColourChanges, 1);
}

} // namespace
} // namespace zorvane::win32::testing
