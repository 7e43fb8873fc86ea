// SPDX-License-Identifier: MIT
// The windows at other DPIs, judged by what they draw.
#include "handles.h"
#include "pictures.h"
#include "resource.h"
#include "support.h"

#include <algorithm>

namespace zorvane::win32::testing {

using enum forms::MainControl;
using enum forms::AboutControl;

// A label's text grows with the square of the scale; captions keep their lines and show whole.
TEST_F(WindowTest, TextFollowsTheScale)
{
    std::tuple<const char *, MainControl, COLORREF, COLORREF, zorvane::testing::Ink> texts[] = {
        {"length label", LengthLabel, kBlue, kMainBackground, {}},
        {"figure caption", FigureCaption, kBlue, kMainBackground, {}},
        {"Generate", GenerateButton, kBlack, kYellowFace, {}},
        {"About", AboutButton, kBlack, kGreenFace, {}}};
    for (const int dpi : {96, 120, 144, 192, 288}) {
        Open(dpi);
        const Snapshot shot(Main());
        zorvane::testing::Image image{shot.width, shot.height, {}};
        std::ranges::transform(shot.pixels, std::back_inserter(image.pixels), Rgb);
        for (auto &[name, id, ink, paper, atOne] : texts) {
            RECT place = PlaceOf(Control(id));
            if (id == LengthLabel) // whose right end the length field covers
                place.right = PlaceOf(Control(LengthField)).left;
            const zorvane::testing::Box box{place.left, place.top, place.right, place.bottom};
            const auto found = InkIn(image, box, Rgb(ink), Rgb(paper));
            atOne = dpi == 96 ? found : atOne;
            const double grown = found.amount / atOne.amount / (dpi / 96.0) / (dpi / 96.0);
            EXPECT_TRUE(ink == kBlack || std::abs(grown - 1) < 0.25)
                << name << " at " << dpi << ": " << grown;
            EXPECT_EQ(found.lines, atOne.lines) << name << " at " << dpi;
            EXPECT_TRUE(ink != kBlack || (found.left > box.left && found.right < box.right - 1))
                << name << " at " << dpi;
        }
    }
}

std::pair<LONG, LONG> IconSize(HWND window, WPARAM which)
{
    ICONINFO icon{};
    GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &icon);
    BITMAP bitmap{};
    GetObjectW(icon.hbmColor, sizeof(bitmap), &bitmap);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

// Decoded at the window's scale, pictures cover their boxes; the portrait stands upright.
TEST_F(WindowTest, IconsAndPicturesFollowTheScale)
{
    for (const auto &[dpi, icon, banner, portrait] :
         {std::tuple{96, 16L, SIZE{226, 100}, SIZE{150, 200}},
          {120, 20L, {283, 125}, {188, 250}},
          {144, 24L, {339, 150}, {225, 300}},
          {192, 32L, {452, 200}, {300, 400}},
          {288, 48L, {678, 300}, {450, 600}}}) {
        Open(dpi);
        const Snapshot shot(About());
        EXPECT_EQ(IconSize(Main(), ICON_SMALL), std::pair(icon, icon)) << dpi;
        EXPECT_EQ(IconSize(Main(), ICON_BIG), std::pair(icon * 2, icon * 2)) << dpi;
        for (const auto &[id, resource, size] :
             {std::tuple{Banner, IDR_BANNER, banner}, {Portrait, IDR_PORTRAIT, portrait}}) {
            const SIZE decoded = LoadPicture(GetModuleHandleW(nullptr), resource, dpi).size;
            EXPECT_EQ((std::pair{decoded.cx, decoded.cy}), (std::pair{size.cx, size.cy})) << dpi;
            // At 3x the window is wider than the virtual screen, which holds the banner only.
            const RECT box = PlaceOf(ControlOf(FindAbout(), id));
            if (box.right > GetSystemMetrics(SM_CXSCREEN))
                continue;
            EXPECT_LT(shot.Count(box, kAboutBackground), size.cx * size.cy / 2) << dpi;
        }
        if (dpi > 144)
            continue;
        const RECT box = PlaceOf(ControlOf(FindAbout(), Portrait));
        // Pale sky above, dark coat below.
        EXPECT_GT(GetRValue(shot.At(box.left + 75, box.top + 2)), 220) << dpi;
        EXPECT_LT(GetRValue(shot.At(box.left + 75, box.bottom - 3)), 40) << dpi;
    }
}

// Told its DPI changed, a window draws as one opened at that DPI, in the frame Windows suggests.
TEST_F(WindowTest, BothWindowsFollowAChangeOfDpi)
{
    const auto drawn = [this](HWND window) {
        SetFocus(Control(LengthField));
        Pump();
        HideCaret(nullptr); // and the focus in the length field
        return Snapshot(window).pixels;
    };
    Open(192);
    std::array<std::vector<COLORREF>, 2> fresh;
    std::array<RECT, 2> suggested{};
    GetWindowRect(About(), &suggested[1]);
    fresh[1] = drawn(FindAbout());
    ShowWindow(FindAbout(), SW_HIDE);
    GetWindowRect(Main(), &suggested[0]);
    fresh[0] = drawn(Main());
    Open(96);
    const std::array windows{Main(), About()};
    for (const std::size_t w : {0u, 1u}) {
        ShowWindow(windows[1], w == 0 ? SW_HIDE : SW_SHOW);
        OffsetRect(&suggested[w], 40 - suggested[w].left, 30 - suggested[w].top); // off the corner
        SendMessageW(windows[w], kDpiChanged, MAKEWPARAM(192, 192),
                     reinterpret_cast<LPARAM>(&suggested[w]));
        EXPECT_EQ(Frame(windows[w]), Edges(suggested[w])) << w;
        EXPECT_TRUE(drawn(windows[w]) == fresh[w]) << w;
    }
    // Both sizes' fonts and pictures are made now: going back and forth makes no more.
    const int made = liveHandles;
    for (const int dpi : {96, 192})
        for (const HWND window : windows)
            SendMessageW(window, kDpiChanged, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested[0]));
    EXPECT_EQ(liveHandles, made) << "GDI objects or icons leaked";
}

// The main window at 96 on a monitor right of the first; the About window at 144.
UINT WINAPI AboutAt144(HWND window)
{
    return window == WindowTest::FindAbout() ? 144u : 96u;
}

TEST_F(WindowTest, AboutOpensOnItsOwnersMonitorAtThatMonitorsDpi)
{
    const FakeDisplay fake(
        {&AboutAt144,
         [](HWND w) {
             return w == FindAbout() ? RECT{0, 0, 1000, 800} : RECT{3000, 100, 4000, 900};
         },
         &HighContrast});
    Open(96);
    const auto frame = Frame(About());
    EXPECT_NEAR(frame[0] + frame[2], 7000, 1);
    EXPECT_NEAR(frame[1] + frame[3], 1000, 1);
    EXPECT_EQ(Frame(FindAbout(), true), (std::array<LONG, 4>{0, 0, 933, 345}));
}

} // namespace zorvane::win32::testing
