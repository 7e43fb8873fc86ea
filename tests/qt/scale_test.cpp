// SPDX-License-Identifier: MIT
// The main window at the screen scale QT_SCALE_FACTOR sets: ctest runs these
// at 1, 1.5 and 2.
#include "forms/main_window.h"
#include "ink.h"
#include "main_window.h"
#include "program.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace zorvane::qt {
namespace {

using testing::Box;
using testing::InkIn;

const double kScale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                          ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                          : 1.0;

testing::Image ToImage(const QImage &picture)
{
    testing::Image image{picture.width(), picture.height(), {}};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(picture.pixel(x, y) & 0xFFFFFFu);
    return image;
}

class ScaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QTest::keyClicks(Find("Text1"), QStringLiteral("12"));
        QTest::mouseClick(Find("Command1"), Qt::LeftButton);
    }
    QWidget *Find(const char *name) const
    {
        return window_->findChild<QWidget *>(QString::fromLatin1(name));
    }
    // A control's box in the window's picture, in device pixels.
    Box BoxOf(const char *name) const
    {
        const QRect box(Find(name)->geometry().topLeft() * kScale, Find(name)->size() * kScale);
        return {box.left(), box.top(), box.right() + 1, box.bottom() + 1};
    }
    std::unique_ptr<MainWindow> window_ = StartProgram();
};

// Text grows with the square of the scale; at 1x the bitmap face is a
// little thinner than the outlines drawn above it.
TEST_F(ScaleTest, EachLabelsInkGrowsWithTheSquareOfTheScale)
{
    const testing::Image image = ToImage(window_->grab().toImage());
    for (const auto &[name, colour, ink] :
         {std::tuple{"Label1", 0x0000FFu, 675.0}, std::tuple{"Label2", 0x0000FFu, 315.0},
          std::tuple{"Label3", 0xFF0000u, 96.0}}) {
        const double found = InkIn(image, BoxOf(name), colour, 0x80FF80u).amount;
        EXPECT_NEAR(found / (kScale * kScale), ink, ink * 0.15) << name;
    }
}

TEST_F(ScaleTest, GeneratesLongestCaptionShowsWhole)
{
    const QImage button = Find("Command1")->grab().toImage();
    const testing::Ink ink =
        InkIn(ToImage(button), {0, 0, button.width(), button.height()}, 0x000000u, 0xFFFF00u);
    EXPECT_EQ(ink.lines, 1);
    EXPECT_GT(ink.left, button.width() / 50);
    EXPECT_LT(ink.right, button.width() * 49 / 50);
}

} // namespace
} // namespace zorvane::qt
