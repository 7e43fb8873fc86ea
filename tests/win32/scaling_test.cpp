// SPDX-License-Identifier: MIT
// The windows at other DPIs, judged by what they draw: text that grows with
// the screen, captions that still fit, pictures drawn from sharper renditions,
// and a window that lays itself out again when its monitor's DPI changes.
#include "support.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace zorvane::win32 {
namespace {

using namespace testing;
using enum forms::MainControl;
using enum forms::AboutControl;

// How far `pixel` has gone from `background` towards `ink`, from 0 to 1: a
// smoothed edge counts in part.
double Coverage(COLORREF pixel, COLORREF ink, COLORREF background)
{
    const auto off = [background](COLORREF c) {
        return std::abs(GetRValue(c) - GetRValue(background)) +
               std::abs(GetGValue(c) - GetGValue(background)) +
               std::abs(GetBValue(c) - GetBValue(background));
    };
    return std::min(1.0, double(off(pixel)) / off(ink));
}

struct Ink {
    double amount = 0;         // in pixels' worth of full ink
    int lines = 0;             // runs of rows with ink
    LONG left = 0, right = -1; // the columns ink reaches, first and last
};

// The ink in `box`, leaving out what lies under the `above` boxes.
Ink InkIn(const Snapshot &shot, const RECT &box, COLORREF ink, COLORREF background,
          const std::array<RECT, 2> &above)
{
    Ink found{0, 0, box.right, box.left - 1};
    bool inLine = false;
    for (LONG y = box.top; y < box.bottom; ++y) {
        bool rowHasInk = false;
        for (LONG x = box.left; x < box.right; ++x) {
            if (PtInRect(&above[0], POINT{x, y}) || PtInRect(&above[1], POINT{x, y}))
                continue;
            const double c = Coverage(shot.At(x, y), ink, background);
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

// How far `box` of `shot` is from `small`'s `smallBox` stretched `n` times,
// each pixel made an n x n block: the mean squared difference per channel.
double OffStretched(const Snapshot &shot, const RECT &box, const Snapshot &small,
                    const RECT &smallBox, int n)
{
    double sum = 0;
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x)
            for (const int s : {0, 8, 16}) {
                const COLORREF one =
                    small.At(smallBox.left + (x - box.left) / n, smallBox.top + (y - box.top) / n);
                sum += std::pow(int((shot.At(x, y) >> s) & 0xFF) - int((one >> s) & 0xFF), 2);
            }
    return sum / (3.0 * (box.right - box.left) * (box.bottom - box.top));
}

// Every label's text, and the main buttons' captions, grow with the square
// of the scale and keep their lines; the captions still show whole. At 2x and
// 3x the pictures come from renditions drawn for them, with detail the 1x
// picture stretched, as Wine's scaler does, would not have.
TEST_F(WindowTest, TextAndPicturesFollowTheScale)
{
    const COLORREF background = ColourRef(forms::kMainWindow.background);
    std::vector<Ink> atOne;
    std::optional<Snapshot> aboutAtOne;
    std::array<RECT, 2> oneBoxes{};
    for (const int dpi : {96, 120, 144, 192, 288}) {
        Open(dpi);
        const double scale = dpi / 96.0;
        const Snapshot shot(window_->Handle());
        // The fields are drawn above the labels they overlap.
        const std::array fields{PlaceOf(Control(LengthField)), PlaceOf(Control(PasswordField))};
        std::vector<Ink> inks;
        for (std::size_t i = 0; i < forms::kMainWindow.controls.size(); ++i) {
            const forms::Control &row = forms::kMainWindow.controls[i];
            const RECT box = PlaceOf(window_->Controls()[i]);
            if (row.kind == forms::Kind::Label && !row.text.empty())
                inks.push_back(InkIn(shot, box, ColourRef(*row.colour), background, fields));
            else if (row.kind == forms::Kind::Button) {
                inks.push_back(InkIn(shot, box, RGB(0, 0, 0), ColourRef(*row.colour), fields));
                // Whole: the caption's ink stops short of the button's edges.
                EXPECT_TRUE(inks.back().left > box.left && inks.back().right < box.right - 1)
                    << row.objectName << " at " << dpi;
            }
        }
        if (dpi == 96)
            atOne = inks;
        for (std::size_t i = 0; i < inks.size(); ++i) {
            const double ratio = inks[i].amount / (atOne[i].amount * scale * scale);
            EXPECT_NEAR(ratio, 1.0, 0.25) << "text " << i << " at " << dpi;
            EXPECT_EQ(inks[i].lines, atOne[i].lines) << "text " << i << " at " << dpi;
        }
        if (dpi % 96 != 0)
            continue;
        const AboutWindow &about = About();
        const Snapshot aboutShot(about.Handle());
        if (dpi == 96) {
            aboutAtOne.emplace(aboutShot);
            oneBoxes = {PlaceOf(about.Control(Banner)), PlaceOf(about.Control(Portrait))};
            continue;
        }
        for (const auto id : {Banner, Portrait}) {
            // At 3x the window is wider than the virtual screen, which holds the banner only.
            RECT onScreen;
            GetWindowRect(about.Control(id), &onScreen);
            if (onScreen.right > GetSystemMetrics(SM_CXSCREEN))
                continue;
            EXPECT_GT(OffStretched(aboutShot, PlaceOf(about.Control(id)), *aboutAtOne,
                                   oneBoxes[id == Banner ? 0 : 1], dpi / 96),
                      20.0)
                << forms::Row(id).objectName << " at " << dpi;
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
        std::vector<COLORREF> pixels = Snapshot(window).pixels;
        ShowCaret(nullptr);
        return pixels;
    };
    // As the changed ones are seen: About shown, then hidden again.
    Open(192);
    std::array<std::vector<COLORREF>, 2> fresh;
    fresh[1] = drawn(About().Handle());
    window_->About()->Hide();
    fresh[0] = drawn(window_->Handle());
    Open(96);
    const std::array windows{window_->Handle(), About().Handle()};
    const int dpi = 192;
    for (std::size_t w = 0; w < windows.size(); ++w) {
        const forms::Window &table = w == 0 ? forms::kMainWindow : forms::kAboutWindow;
        RECT frame, client;
        GetWindowRect(windows[w], &frame);
        GetClientRect(windows[w], &client);
        // At the top left, on the screen; the owned About window is in
        // front, and hidden while the main one is looked at.
        w == 0 ? window_->About()->Hide() : window_->About()->Show();
        RECT suggested{
            0, 0, frame.right - frame.left + forms::TwipsToPixels(table.width, dpi) - client.right,
            frame.bottom - frame.top + forms::TwipsToPixels(table.height, dpi) - client.bottom};
        SendMessageW(windows[w], kDpiChanged, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(windows[w], &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested)) << table.objectName;
        EXPECT_TRUE(drawn(windows[w]) == fresh[w]) << table.objectName;
    }
}

} // namespace
} // namespace zorvane::win32
