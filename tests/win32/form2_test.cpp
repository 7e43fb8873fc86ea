// SPDX-License-Identifier: MIT
#include "form2.h"

#include "support.h"

#include <memory>

namespace zorvane::win32 {
namespace {

using testing::Describe;
using testing::PlaceOf;
using testing::PressKey;
using testing::Pump;
using testing::Snapshot;

// An owner stands in for the main window.
class Form2Test : public ::testing::Test {
protected:
    void Open(int dpi)
    {
        about_.reset();
        if (!owner_)
            owner_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        about_ = std::make_unique<Form2>(GetModuleHandleW(nullptr), owner_, dpi);
        ASSERT_TRUE(about_->Exists());
        about_->Show();
        Pump();
    }
    void TearDown() override
    {
        about_.reset();
        DestroyWindow(owner_);
    }
    HWND Control(const char *name) const { return about_->Control(name); }

    HWND owner_ = nullptr;
    std::unique_ptr<Form2> about_;
};

TEST_F(Form2Test, ShowsBothPicturesAtTheirSizeAtEachDpi)
{
    const struct {
        int dpi;
        const char *client, *back;
        SIZE banner, portrait;
    } cases[] = {
        {96, "{0,0 622x230}", "{24,128 105x81}", {226, 100}, {150, 200}},
        {144, "{0,0 933x345}", "{36,192 158x122}", {339, 150}, {225, 300}},
    };
    for (const auto &c : cases) {
        Open(c.dpi);
        RECT client;
        GetClientRect(about_->Handle(), &client);
        EXPECT_EQ(Describe(client), c.client);
        EXPECT_EQ(Describe(PlaceOf(Control("Command1"))), c.back);
        const SIZE banner = about_->contents().PictureSize(Control("Image1"));
        const SIZE portrait = about_->contents().PictureSize(Control("Image2"));
        EXPECT_EQ(banner.cx, c.banner.cx) << c.dpi;
        EXPECT_EQ(banner.cy, c.banner.cy) << c.dpi;
        EXPECT_EQ(portrait.cx, c.portrait.cx) << c.dpi;
        EXPECT_EQ(portrait.cy, c.portrait.cy) << c.dpi;
    }
}

TEST_F(Form2Test, PaintsTheTablesColoursAndThePictures)
{
    Open(96);
    const Snapshot image(about_->Handle());
    EXPECT_EQ(image.At(2, 2), RGB(192, 192, 192));
    EXPECT_EQ(image.At(24 + 4, 128 + 4), RGB(0, 192, 0)) << "Back's face";
    EXPECT_TRUE(image.Has(PlaceOf(Control("Label1")), RGB(0, 0, 255)));
    EXPECT_TRUE(image.Has(PlaceOf(Control("Label2")), RGB(255, 0, 255)));
    EXPECT_TRUE(image.Has(PlaceOf(Control("Label3")), RGB(0, 0, 255)));
    // The pictures cover their boxes with their own pixels, not the window's.
    for (const char *name : {"Image1", "Image2"}) {
        const RECT box = PlaceOf(Control(name));
        const int area = (box.right - box.left) * (box.bottom - box.top);
        EXPECT_LT(image.Count(box, RGB(192, 192, 192)), area / 2) << name;
    }
    for (const char *name : {"Label2", "Label3"})
        EXPECT_EQ(testing::FaceOf(Control(name)), L"Tahoma") << name;
}

TEST_F(Form2Test, BackHidesTheWindowByKeyboardAndNothingElseActs)
{
    Open(96);
    EXPECT_EQ(GetFocus(), Control("Command1"));
    // The web address is plain text, and Esc is no Back.
    PostMessageW(Control("Label3"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(Control("Label3"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(about_->IsShown());

    PressKey(VK_RETURN);
    EXPECT_FALSE(about_->IsShown());
    about_->Show();
    Pump();
    SetFocus(Control("Command1"));
    PressKey(VK_SPACE);
    EXPECT_FALSE(about_->IsShown());
    EXPECT_TRUE(about_->Exists()) << "hidden, not destroyed";
}

} // namespace
} // namespace zorvane::win32
