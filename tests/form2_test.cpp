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

TEST_F(Form2Test, LooksAsDescribedAndIsHeardAsShown)
{
    EXPECT_EQ(about_->windowTitle(), "About Tolmek");
    EXPECT_EQ(about_->size(), QSize(622, 230));
    EXPECT_EQ(about_->minimumSize(), about_->maximumSize());
    EXPECT_TRUE(about_->isWindow());
    testing::ExpectDescribedColours(*about_, forms::kForm2);

    auto *paragraph = Control<QLabel>("Label1");
    EXPECT_TRUE(paragraph->text().startsWith("Hello, I am Tolmek"));
    EXPECT_EQ(testing::AccessibleName(paragraph), paragraph->text());
    EXPECT_EQ(testing::AccessibleName(Control("Label3")), "www.tolmek.example");
    EXPECT_EQ(testing::LabelledBy(Control("Label3")), QStringList{"Label2"});
    EXPECT_EQ(testing::AccessibleName(Control("Image2")), "Portrait of Tolmek");
    EXPECT_EQ(testing::AccessibleName(Control("Command1")), "Back");
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

TEST_F(Form2Test, TheAddressShowsWholeInBoldTahomaAndIsNoLink)
{
    for (const char *name : {"Label2", "Label3"}) {
        const auto *label = Control<QLabel>(name);
        const QFontInfo font(label->font());
        EXPECT_EQ(font.family(), "Tahoma") << name;
        EXPECT_TRUE(font.bold()) << name;
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
            << name;
    }
    auto *address = Control<QLabel>("Label3");
    EXPECT_EQ(address->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_FALSE(address->openExternalLinks());
    QTest::mouseClick(address, Qt::LeftButton);
    EXPECT_TRUE(about_->isVisible()) << "clicking the address does nothing";
}

} // namespace
} // namespace zorvane::ui
