// SPDX-License-Identifier: MIT
// Both windows at the scale QT_SCALE_FACTOR sets: ctest runs these at 1, 1.25, 1.5 and 2.
#include "about_window.h"
#include "ink.h"
#include "main_window.h"
#include "program.h"
#include "scripted_source.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace zorvane::qt {
namespace {

const double kScale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();

// The ink of `colour` on `background` in `control`, in device pixels.
testing::Ink InkIn(QWidget *control, std::uint32_t colour, std::uint32_t background)
{
    const QImage picture = control->grab().toImage();
    testing::Image image{picture.width(), picture.height(), {}};
    for (int i = 0; i < image.width * image.height; ++i)
        image.pixels.push_back(picture.pixel(i % image.width, i / image.width) & 0xFFFFFFu);
    return testing::InkIn(image, {0, 0, image.width, image.height}, colour, background);
}

// Pixel for pixel as its picture in tests/qt/reference, drawn by Qt 6 offscreen, or saved here.
void ExpectLooksLike(QWidget *window, const QString &name)
{
    if (QT_VERSION_MAJOR != 6)
        GTEST_SKIP() << "text is drawn a little differently by other versions of Qt";
    const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage reference(QStringLiteral(ZORVANE_REFERENCE_DIR "/%1.png").arg(name));
    if (drawn != reference.convertToFormat(QImage::Format_RGB32) && drawn.save(name + ".png"))
        ADD_FAILURE() << name.toStdString() << " differs: see " << name.toStdString() << ".png";
}

class ScaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setCursorFlashTime(0); // no blinking caret
        window_->setRandomSource(std::make_unique<zorvane::testing::ScriptedSource>(
            std::vector<std::uint8_t>{40, 0, 63, 70, 244}, 17));
        QTest::keyClicks(Control("Text1"), QStringLiteral("12"));
        QTest::mouseClick(Control("Command1"), Qt::LeftButton);
    }
    QWidget *Control(const char *name) { return window_->findChild<QWidget *>(name); }
    std::unique_ptr<MainWindow> window_ = StartProgram();
};

// The bitmap face where its 13-pixel strike fits, else its outline companion; whole.
TEST_F(ScaleTest, CaptionsAreInTheFaceForTheScaleAndShowWhole)
{
    for (const auto &[name, face] :
         {std::pair{"Command1", 0xFFFF00u}, std::pair{"Command2", 0xFF8080u},
          std::pair{"Command3", 0x00C000u}}) {
        EXPECT_EQ(Control(name)->font().family(),
                  kScale == 1 ? "MS Sans Serif" : "Microsoft Sans Serif");
        EXPECT_EQ(Control(name)->font().pixelSize(), 13);
        const testing::Ink ink = InkIn(Control(name), 0, face);
        const double width = Control(name)->width() * kScale;
        EXPECT_TRUE(ink.lines == 1 && ink.left > width / 50 && ink.right < width * 49 / 50)
            << name << ": " << ink.left << " to " << ink.right;
    }
}

TEST_F(ScaleTest, BothWindowsLookExactlyAsTheirReferencePictures)
{
    EXPECT_EQ(window_->minimumSize(), QSize(254, 255));
    EXPECT_EQ(window_->maximumSize(), QSize(254, 255));
    const QString scale = QString::number(kScale);
    ExpectLooksLike(window_.get(), QStringLiteral("main-window@%1x").arg(scale));
    QTest::mouseClick(Control("Command3"), Qt::LeftButton);
    ExpectLooksLike(window_->findChild<AboutWindow *>(),
                    QStringLiteral("about-window@%1x").arg(scale));
}

} // namespace
} // namespace zorvane::qt
