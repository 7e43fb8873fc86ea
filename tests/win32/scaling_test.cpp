// SPDX-License-Identifier: MIT
// The windows at other DPIs, judged by what they draw: text that grows with
// the screen, captions that still fit, pictures drawn from sharper renditions,
// and a window that lays itself out again when its monitor's DPI changes.
#include "resource.h"
#include "support.h"

#include <algorithm>
#include <cstdlib>

namespace zorvane::win32 {
namespace {

using namespace testing;
using enum forms::MainControl;
using enum forms::AboutControl;

struct Ink {
    double amount = 0;         // in pixels' worth of full ink
    int lines = 0;             // runs of rows with ink
    LONG left = 0, right = -1; // the columns ink reaches, first and last
};

Ink InkIn(const Snapshot &shot, const RECT &box, COLORREF ink, COLORREF background)
{
    // How far a pixel has gone from `background` towards `ink`, from 0 to 1:
    // a smoothed edge counts in part.
    const auto off = [background](COLORREF c) {
        return std::abs(GetRValue(c) - GetRValue(background)) +
               std::abs(GetGValue(c) - GetGValue(background)) +
               std::abs(GetBValue(c) - GetBValue(background));
    };
    Ink found{0, 0, box.right, box.left - 1};
    bool inLine = false;
    for (LONG y = box.top; y < box.bottom; ++y) {
        bool rowHasInk = false;
        for (LONG x = box.left; x < box.right; ++x) {
            const double c = std::min(1.0, double(off(shot.At(x, y))) / off(ink));
            found.amount += c;
            if (c > 0.5)
                rowHasInk = true, found.left = std::min(found.left, x),
                found.right = std::max(found.right, x);
        }
        found.lines += rowHasInk && !inLine;
        inLine = rowHasInk;
    }
    return found;
}

// The share of `box`'s n x n blocks that hold more than one colour: none
// where a picture is its 1x rendition stretched n times, as Wine's scaler
// stretches it, each pixel made a block.
double MixedBlocks(const Snapshot &shot, const RECT &box, int n)
{
    int mixed = 0, blocks = 0;
    for (LONG y = box.top; y + n <= box.bottom; y += n)
        for (LONG x = box.left; x + n <= box.right; x += n, ++blocks)
            for (int i = 1; i < n * n; ++i)
                if (shot.At(x + i % n, y + i / n) != shot.At(x, y)) {
                    ++mixed;
                    break;
                }
    return double(mixed) / blocks;
}

// Every label's text, and the main buttons' captions, grow with the square
// of the scale and keep their lines; the captions still show whole. The
// pictures, at their own size, cover their boxes; at 2x and 3x they come from
// renditions drawn for them, with detail the 1x picture stretched would not have.
TEST_F(WindowTest, TextAndPicturesFollowTheScale)
{
    const COLORREF background = ColourRef(forms::kMainWindow.background);
    std::vector<Ink> atOne(forms::kMainWindow.controls.size());
    for (const int dpi : {96, 120, 144, 192, 288}) {
        Open(dpi);
        const double scale = dpi / 96.0;
        const Snapshot shot(window_->Handle());
        for (std::size_t i = 0; i < atOne.size(); ++i) {
            const forms::Control &row = forms::kMainWindow.controls[i];
            const bool button = row.kind == forms::Kind::Button;
            if (!button && (row.kind != forms::Kind::Label || row.text.empty()))
                continue;
            RECT box = PlaceOf(ControlOf(window_->Handle(), static_cast<int>(i)));
            // The length field is drawn above its label's right end.
            if (i == forms::Index(LengthLabel))
                box.right = PlaceOf(Control(LengthField)).left;
            const COLORREF colour = ColourRef(*row.colour);
            const Ink ink = button ? InkIn(shot, box, RGB(0, 0, 0), colour)
                                   : InkIn(shot, box, colour, background);
            if (dpi == 96)
                atOne[i] = ink;
            const double ratio = ink.amount / (atOne[i].amount * scale * scale);
            EXPECT_NEAR(ratio, 1.0, 0.25) << row.objectName << " at " << dpi;
            EXPECT_EQ(ink.lines, atOne[i].lines) << row.objectName << " at " << dpi;
            // Whole: a caption's ink stops short of the button's edges.
            EXPECT_TRUE(!button || (ink.left > box.left && ink.right < box.right - 1))
                << row.objectName << " at " << dpi;
        }
        const HWND about = About();
        const Snapshot aboutShot(about);
        for (const auto id : {Banner, Portrait}) {
            // At 3x the window is wider than the virtual screen, which holds the banner only.
            RECT onScreen;
            GetWindowRect(ControlOf(about, id), &onScreen);
            if (onScreen.right > GetSystemMetrics(SM_CXSCREEN))
                continue;
            const forms::Pixels cell = forms::PixelRect(forms::Row(id).rect, dpi);
            // As the window decodes it for its DPI.
            const SIZE size = LoadPicture(GetModuleHandleW(nullptr),
                                          id == Banner ? IDR_BANNER : IDR_PORTRAIT, dpi)
                                  .size;
            const RECT box = PlaceOf(ControlOf(about, id));
            SCOPED_TRACE(std::string(forms::Row(id).objectName) + " at " + std::to_string(dpi));
            EXPECT_TRUE(size.cx == cell.width && size.cy == cell.height);
            EXPECT_LT(aboutShot.Count(box, ColourRef(forms::kAboutWindow.background)),
                      cell.width * cell.height / 2);
            EXPECT_TRUE(dpi % 96 != 0 || dpi == 96 || MixedBlocks(aboutShot, box, dpi / 96) > 0.1);
        }
    }
}

// A window told its DPI changed draws as one opened at that DPI, in the
// frame Windows suggests: text, captions, pictures and places all follow.
TEST_F(WindowTest, BothWindowsFollowAChangeOfDpi)
{
    // Without the blinking caret, and with the main window's focus in the
    // length field, wherever the About window's comings and goings left it.
    const auto drawn = [this](HWND window) {
        if (window == window_->Handle())
            SetFocus(Control(LengthField));
        Pump();
        HideCaret(nullptr);
        return Snapshot(window).pixels;
    };
    // As the changed ones are seen: About shown, then hidden again. Their
    // frames, at the top left of the screen, are the ones Windows suggests.
    Open(192);
    std::array<std::vector<COLORREF>, 2> fresh;
    std::array<RECT, 2> suggested{};
    GetWindowRect(About(), &suggested[1]);
    fresh[1] = drawn(FindAbout());
    ShowWindow(FindAbout(), SW_HIDE);
    GetWindowRect(window_->Handle(), &suggested[0]);
    fresh[0] = drawn(window_->Handle());
    Open(96);
    const std::array windows{window_->Handle(), About()};
    for (std::size_t w = 0; w < windows.size(); ++w) {
        // The owned About window is in front, and hidden while the main one is looked at.
        ShowWindow(windows[1], w == 0 ? SW_HIDE : SW_SHOW);
        OffsetRect(&suggested[w], -suggested[w].left, -suggested[w].top);
        SendMessageW(windows[w], kDpiChanged, MAKEWPARAM(192, 192),
                     reinterpret_cast<LPARAM>(&suggested[w]));
        RECT frame;
        GetWindowRect(windows[w], &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested[w])) << (w == 0 ? "main" : "About");
        EXPECT_TRUE(drawn(windows[w]) == fresh[w]) << (w == 0 ? "main" : "About");
    }
}

// The main window (at 96) is on a second monitor right of the first; the
// About window, wherever it is, at 144.
RECT SecondMonitor(HWND window)
{
    return window == FindWindowW(L"ZorvaneMainWindow", nullptr) ? RECT{3000, 100, 4000, 900}
                                                                : RECT{0, 0, 1000, 800};
}
UINT WINAPI MainAt96AboutAt144(HWND window)
{
    return FindAbout() == window ? 144 : 96;
}
RECT WholeScreen(HWND)
{
    return {0, 0, 4000, 1000};
}

TEST_F(WindowTest, AboutOpensOnItsOwnersMonitorAtThatMonitorsDpi)
{
    const FakeDisplay fake({&MainAt96AboutAt144, &SecondMonitor, &HighContrast});
    Open(96);
    const HWND about = About();
    RECT frame, client;
    GetWindowRect(about, &frame);
    GetClientRect(about, &client);
    EXPECT_LE(std::abs(frame.left + frame.right - 7000), 1);
    EXPECT_LE(std::abs(frame.top + frame.bottom - 1000), 1);
    // As opened at 144: 1.5 times its 622 x 230 at 96, Back included.
    EXPECT_EQ(client.right, 933);
    EXPECT_EQ(client.bottom, 345);
    const RECT back = PlaceOf(ControlOf(about, BackButton));
    EXPECT_EQ(back.right - back.left, 158);
}

TEST_F(WindowTest, WithoutPerMonitorDpiAChangeOfDpiIsLeftToWindows)
{
    const FakeDisplay fake({nullptr, &WholeScreen, &HighContrast});
    RECT before, after, suggested{0, 0, 600, 600};
    GetWindowRect(window_->Handle(), &before);
    SendMessageW(window_->Handle(), kDpiChanged, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    Pump();
    GetWindowRect(window_->Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    const RECT field = PlaceOf(Control(LengthField));
    EXPECT_EQ(field.right - field.left, 33);
}

} // namespace
} // namespace zorvane::win32
