// SPDX-License-Identifier: MIT
// The main window at the screen scale QT_SCALE_FACTOR sets: ctest runs these
// at 1, 1.5 and 2.
#include "ink.h"
#include "main_window.h"
#include "program.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace zorvane::qt {
namespace {

const double kScale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();

// The main window after a request for 12 characters, in device pixels.
testing::Image Shown(QWidget *control)
{
    const QImage picture = control->grab().toImage();
    testing::Image image{picture.width(), picture.height(), {}};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(picture.pixel(x, y) & 0xFFFFFFu);
    return image;
}

// Text grows with the square of the scale; at 1x the bitmap face is a little
// thinner than the outlines drawn above it.
TEST(ScaleTest, EachLabelsInkGrowsWithTheSquareOfTheScale)
{
    const auto window = StartProgram();
    QTest::keyClicks(window->findChild<QWidget *>(QStringLiteral("Text1")), QStringLiteral("12"));
    QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("Command1")), Qt::LeftButton);
    for (const auto &[name, colour, ink] :
         {std::tuple{"Label1", 0x0000FFu, 470.0}, std::tuple{"Label2", 0x0000FFu, 315.0},
          std::tuple{"Label3", 0xFF0000u, 96.0}}) {
        const testing::Image label = Shown(window->findChild<QWidget *>(QString::fromLatin1(name)));
        const double found =
            testing::InkIn(label, {0, 0, label.width, label.height}, colour, 0x80FF80u).amount;
        EXPECT_NEAR(found / (kScale * kScale), ink, ink * 0.15) << name;
    }
}

// In the bitmap face where a strike fits the scale (13 pixels at 1x), else
// in its outline companion; at 13 logical pixels, and whole.
TEST(ScaleTest, CaptionsAreInTheFaceForTheScaleAndShowWhole)
{
    const auto window = StartProgram();
    QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("Command1")), Qt::LeftButton);
    for (const char *name : {"Command1", "Command2", "Command3"}) {
        auto *button = window->findChild<QWidget *>(QString::fromLatin1(name));
        EXPECT_EQ(button->font().family(), kScale == 1 ? "MS Sans Serif" : "Microsoft Sans Serif");
        EXPECT_EQ(button->font().pixelSize(), 13);
        const testing::Image image = Shown(button);
        const testing::Ink ink =
            testing::InkIn(image, {0, 0, image.width, image.height}, 0, image.At(3, 3));
        EXPECT_EQ(ink.lines, 1) << name;
        EXPECT_GT(ink.left, image.width / 50) << name;
        EXPECT_LT(ink.right, image.width * 49 / 50) << name;
    }
}

} // namespace
} // namespace zorvane::qt
