// SPDX-License-Identifier: MIT
#include "support.h"

namespace zorvane::win32 {
namespace {

using namespace testing;
using enum forms::AboutControl;
using AboutWindowTest = WindowTest;

// The pictures' own sizes, scaled, are the boxes the table gives them, and
// they cover their boxes with their own pixels, not the window's.
TEST_F(AboutWindowTest, PaintsTheTablesColoursAndBothPicturesAtTheirNaturalSize)
{
    for (const int dpi : {96, 144}) {
        Open(dpi);
        const AboutWindow &about = About();
        ExpectDrawnAsDescribed(about.Handle(), forms::kAboutWindow, about.Controls());
        const Snapshot shot(about.Handle());
        for (const auto id : {Banner, Portrait}) {
            const forms::Pixels box = forms::PixelRect(forms::Row(id).rect, dpi);
            const SIZE size = about.painter().PictureSize(forms::Index(id));
            EXPECT_TRUE(size.cx == box.width && size.cy == box.height) << dpi;
            const RECT place = PlaceOf(about.Control(id));
            EXPECT_LT(shot.Count(place, ColourRef(forms::kAboutWindow.background)),
                      box.width * box.height / 2);
        }
    }
}

TEST_F(AboutWindowTest, IsOneOwnedWindowThatBackHidesByKeyboardAndNothingElseActs)
{
    EXPECT_EQ(window_->About(), nullptr) << "created on first need";
    AboutWindow &about = About();
    const HWND first = about.Handle(), back = about.Control(BackButton),
               address = about.Control(WebsiteLabel);
    EXPECT_EQ(GetWindow(first, GW_OWNER), window_->Handle()) << "stays in front";
    EXPECT_TRUE(IsWindowEnabled(window_->Handle())) << "not modal";
    EXPECT_EQ(GetFocus(), back);
    // The web address is plain text, and Esc is no Back.
    PostMessageW(address, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(address, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(about.IsShown());
    // About, pressed again or not, shows the same window.
    for (const int key : {VK_RETURN, VK_SPACE}) {
        EXPECT_TRUE(About().Handle() == first && about.IsShown()) << key;
        SetFocus(back);
        PressKey(key);
        EXPECT_FALSE(about.IsShown()) << key;
    }
    // Closing it through its frame destroys it; the next About makes a new one.
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(first) || window_->About());
    EXPECT_TRUE(About().IsShown() && endedWith_.empty());
}

} // namespace
} // namespace zorvane::win32
