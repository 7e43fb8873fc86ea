// SPDX-License-Identifier: MIT
#include "support.h"

namespace zorvane::win32 {
namespace {

using namespace testing;
using Form2Test = WindowTest;

// The pictures' own sizes, scaled, are the boxes the table gives them.
TEST_F(Form2Test, ShowsBothPicturesAtTheirNaturalSizeAtEachDpi)
{
    for (const int dpi : {96, 144}) {
        Open(dpi);
        const Form2 &about = About();
        for (const char *name : {"Image1", "Image2"}) {
            const forms::Twips box = forms::FindControl(forms::kForm2, name)->rect;
            const SIZE size = about.contents().PictureSize(about.Control(name));
            EXPECT_EQ(size.cx, forms::TwipsToPixels(box.width, dpi)) << name << ' ' << dpi;
            EXPECT_EQ(size.cy, forms::TwipsToPixels(box.height, dpi)) << name << ' ' << dpi;
        }
    }
}

TEST_F(Form2Test, PaintsTheTablesColoursAndThePictures)
{
    const Form2 &about = About();
    ExpectDrawnAsDescribed(about.Handle(), about.contents(), forms::kForm2);
    // The pictures cover their boxes with their own pixels, not the window's.
    for (const char *name : {"Image1", "Image2"}) {
        const RECT box = PlaceOf(about.Control(name));
        const int area = (box.right - box.left) * (box.bottom - box.top);
        EXPECT_LT(Count(about.Handle(), box, ColourRef(forms::kForm2.background)), area / 2)
            << name;
    }
}

TEST_F(Form2Test, BackHidesTheWindowByKeyboardAndNothingElseActs)
{
    Form2 &about = About();
    const HWND back = about.Control("Command1"), address = about.Control("Label3");
    EXPECT_EQ(GetFocus(), back);
    // The web address is plain text, and Esc is no Back.
    PostMessageW(address, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(address, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(about.IsShown());
    for (const int key : {VK_RETURN, VK_SPACE}) {
        About();
        SetFocus(back);
        PressKey(key);
        EXPECT_FALSE(about.IsShown()) << key;
    }
    EXPECT_TRUE(about.Exists()) << "hidden, not destroyed";
}

} // namespace
} // namespace zorvane::win32
