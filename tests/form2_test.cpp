// SPDX-License-Identifier: MIT
#include "form2.h"

#include "ui_support.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace zorvane::ui {
namespace {

using testing::ControlRow;
using testing::HasPixel;
using testing::PixelsOf;
using testing::Snapshot;

class Form2Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<QWidget>();
        about_ = new Form2(owner_.get());
        about_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(about_));
    }

    template <typename T = QWidget> T *Control(const char *name) const
    {
        return testing::FindControl<T>(*about_, name);
    }

    std::unique_ptr<QWidget> owner_;
    Form2 *about_ = nullptr; // owned by owner_
};

TEST_F(Form2Test, ControlsSitWhereTheLayoutPutsThem)
{
    const ControlRow rows[] = {
        {"Image1", 480, 240, 3390, 1500, nullptr},
        {"Label1", 3960, 240, 2655, 2295, nullptr},
        {"Image2", 6960, 240, 2250, 3000, nullptr},
        {"Command1", 360, 1920, 1575, 1215, "Back"},
        {"Label2", 2400, 2280, 1335, 375, "My Website"},
        {"Label3", 3000, 2640, 2775, 495, nullptr},
    };
    EXPECT_EQ(about_->windowTitle(), "About Tolmek");
    EXPECT_EQ(about_->size(), QSize(622, 230));
    EXPECT_EQ(about_->minimumSize(), about_->maximumSize());
    EXPECT_TRUE(about_->isWindow());
    for (const ControlRow &row : rows) {
        const QWidget *control = Control(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), PixelsOf(row)) << row.name;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << row.name;
        if (!row.caption)
            continue;
        EXPECT_EQ(testing::VisibleText(control), QString::fromUtf8(row.caption)) << row.name;
    }
    EXPECT_FALSE(Control<QLabel>("Label1")->text().isEmpty());
}

TEST_F(Form2Test, PicturesAreCompiledInAtTheirNaturalSize)
{
    const QPixmap banner = Control<QLabel>("Image1")->pixmap(Qt::ReturnByValue);
    const QPixmap portrait = Control<QLabel>("Image2")->pixmap(Qt::ReturnByValue);
    EXPECT_EQ(banner.size(), QSize(226, 100));
    EXPECT_EQ(portrait.size(), QSize(150, 200));
    EXPECT_EQ(Control("Image1")->size(), banner.size());
    EXPECT_EQ(Control("Image2")->size(), portrait.size());

    QImageReader gif(QStringLiteral(":/zorvane/banner.gif"));
    EXPECT_EQ(gif.format(), "gif");
    EXPECT_EQ(gif.imageCount(), 10);
    EXPECT_EQ(QImageReader(QStringLiteral(":/zorvane/portrait.jpg")).format(), "jpeg");
}

TEST_F(Form2Test, WindowIconsComeInTwoSizesOfSixteenColours)
{
    for (const char *stem : {"zorvane", "about"}) {
        for (const int size : {16, 32}) {
            const QString file =
                QStringLiteral(":/zorvane/%1-%2.png").arg(QString::fromLatin1(stem)).arg(size);
            const QImage image(file);
            EXPECT_EQ(image.size(), QSize(size, size)) << file.toStdString();
            EXPECT_LE(image.colorCount(), 16) << file.toStdString();
            EXPECT_GT(image.colorCount(), 0) << file.toStdString() << " has a palette";
        }
        // Windows builds carry the same pictures as an .ico.
        QImageReader ico(
            QStringLiteral(ZORVANE_ASSETS_DIR "/%1.ico").arg(QString::fromLatin1(stem)));
        EXPECT_EQ(ico.imageCount(), 2) << stem;
    }
    EXPECT_TRUE(about_->windowIcon().availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(about_->windowIcon().availableSizes().contains(QSize(32, 32)));
}

TEST_F(Form2Test, PaintsEachColourExactlyAndTheAddressFits)
{
    const QImage image = Snapshot(*about_);
    EXPECT_EQ(image.pixelColor(620, 228).rgb(), QColor(192, 192, 192).rgb());
    EXPECT_EQ(image.pixelColor(24 + 4, 128 + 4).rgb(), QColor(0, 192, 0).rgb());
    EXPECT_TRUE(HasPixel(image, Control("Label1")->geometry(), QColor(0, 0, 255)));
    EXPECT_TRUE(HasPixel(image, Control("Label2")->geometry(), QColor(255, 0, 255)));
    EXPECT_TRUE(HasPixel(image, Control("Label3")->geometry(), QColor(0, 0, 255)));

    for (const char *name : {"Label2", "Label3"}) {
        const auto *label = Control<QLabel>(name);
        const QFontInfo font(label->font());
        EXPECT_EQ(font.family(), "Tahoma") << name;
        EXPECT_TRUE(font.bold()) << name;
        EXPECT_EQ(font.pixelSize(), 13) << name;
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
            << name;
    }
}

TEST_F(Form2Test, TheAddressIsPlainTextAndBackHides)
{
    auto *address = Control<QLabel>("Label3");
    EXPECT_TRUE(address->text().startsWith("www.")) << address->text().toStdString();
    EXPECT_EQ(address->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_FALSE(address->openExternalLinks());
    QTest::mouseClick(address, Qt::LeftButton);
    EXPECT_TRUE(about_->isVisible()) << "clicking the address does nothing";

    QTest::mouseClick(Control("Command1"), Qt::LeftButton);
    EXPECT_FALSE(about_->isVisible());
}

} // namespace
} // namespace zorvane::ui
