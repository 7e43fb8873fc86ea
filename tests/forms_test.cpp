// SPDX-License-Identifier: MIT
// The rules both front ends take from the window model.
#include "forms/about_window.h"
#include "forms/main_window.h"

#include <gtest/gtest.h>

namespace zorvane::forms {
namespace {

TEST(CaptionPixels, ShrinksOnlyWhileTheCaptionDoesNotFitAndNeverBelowTheFloor)
{
    // A face whose captions are 10 pixels wide per pixel of height.
    const auto wide = [](int pixels) { return pixels * 10; };
    EXPECT_EQ(CaptionPixels(13, 200, 96, wide), 13) << "fits as it is";
    EXPECT_EQ(CaptionPixels(13, 106, 96, wide), 10) << "100 pixels of room";
    EXPECT_EQ(CaptionPixels(13, 105, 96, wide), 9);
    EXPECT_EQ(CaptionPixels(13, 20, 96, wide), 8) << "the floor";
    // At other densities the margin (8 pixels at 120 dpi) and the floor scale too.
    EXPECT_EQ(CaptionPixels(16, 117, 120, wide), 10);
    EXPECT_EQ(CaptionPixels(26, 20, 192, wide), 16);
}

TEST(ButtonColours, APressedFaceIsDarkerAndItsEdgeDarkerStill)
{
    const ButtonColours yellow = ButtonColoursOf({255, 255, 0});
    EXPECT_EQ(yellow.face, (Rgb{255, 255, 0}));
    EXPECT_EQ(yellow.pressedFace, (Rgb{221, 221, 0}));
    EXPECT_EQ(yellow.pressedEdge, (Rgb{159, 159, 0}));
}

TEST(FixedAccessibleName, FieldsTakeTheirLabelsAndLabelsKeepTheirText)
{
    EXPECT_EQ(FixedAccessibleName(kMainWindow, Row(MainControl::LengthField)),
              "Number of Characters in the password");
    EXPECT_EQ(FixedAccessibleName(kMainWindow, Row(MainControl::PasswordField)), "Password");
    EXPECT_EQ(FixedAccessibleName(kMainWindow, Row(MainControl::ExitButton)), "Exit");
    // Heard by what they show, however they change.
    EXPECT_EQ(FixedAccessibleName(kMainWindow, Row(MainControl::GenerateButton)), "");
    EXPECT_EQ(FixedAccessibleName(kMainWindow, Row(MainControl::FigureLabel)), "");
    EXPECT_EQ(FixedAccessibleName(kAboutWindow, Row(AboutControl::WebsiteLabel)), "");
    EXPECT_EQ(FixedAccessibleName(kAboutWindow, Row(AboutControl::Portrait)), "Portrait of Tolmek");
}

TEST(FaceFor, ABitmapFaceGivesWayToItsOutlineWhereNoStrikeFits)
{
    constexpr int strikes[] = {13, 16, 20};
    EXPECT_EQ(FaceFor(kSansSerif, 96, strikes), (Face{"MS Sans Serif", 13}));
    EXPECT_EQ(FaceFor(kSansSerif, 120, strikes), (Face{"MS Sans Serif", 16}));
    EXPECT_EQ(FaceFor(kSansSerif, 144, strikes), (Face{"MS Sans Serif", 20}));
    EXPECT_EQ(FaceFor(kSansSerif, 192, strikes), (Face{"Microsoft Sans Serif", 26}));
    EXPECT_EQ(FaceFor(kSansSerif, 288, strikes), (Face{"Microsoft Sans Serif", 39}));
    EXPECT_EQ(FaceFor(kSansSerif, 192, {}), (Face{"MS Sans Serif", 26})) << "it scales";
    EXPECT_EQ(FaceFor(kTahomaBold, 192, strikes), (Face{"Tahoma", 26})) << "no companion";
}

TEST(PixelRect, RoundsEachEdgeToTheNearestPixelAtAnyDensity)
{
    EXPECT_EQ(PixelRect({2400, 240, 495, 375}), (Pixels{160, 16, 33, 25}));
    EXPECT_EQ(PixelRect({2400, 240, 495, 375}, 144), (Pixels{240, 24, 50, 38}));
    EXPECT_EQ(FontPixels(kSansSerif), 13);
    EXPECT_EQ(FontPixels(kSansSerif, 144), 20);
}

} // namespace
} // namespace zorvane::forms
