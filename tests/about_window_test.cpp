// SPDX-License-Identifier: MIT
#include "about_window.h"

#include "ui_support.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace zorvane::ui {
namespace {

using enum forms::AboutControl;

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<QWidget>();
        about_ = new AboutWindow(owner_.get());
        about_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(about_));
    }

    template <forms::AboutControl id> auto *control() const { return about_->control<id>(); }

    std::unique_ptr<QWidget> owner_;
    AboutWindow *about_ = nullptr; // owned by owner_
};

TEST_F(AboutWindowTest, LooksAsDescribed)
{
    EXPECT_EQ(about_->windowTitle(), "About Tolmek");
    EXPECT_EQ(about_->size(), QSize(622, 230));
    EXPECT_EQ(about_->minimumSize(), about_->maximumSize());
    EXPECT_TRUE(about_->isWindow());
    testing::ExpectDrawnAsDescribed(*about_, forms::kAboutWindow, about_->controls());

    EXPECT_TRUE(control<Greeting>()->text().startsWith("Hello, I am Tolmek"));
}

TEST_F(AboutWindowTest, PicturesAreCompiledInAndShownAtTheirNaturalSize)
{
    EXPECT_EQ(control<Banner>()->size(), QSize(226, 100));
    EXPECT_EQ(control<Portrait>()->size(), QSize(150, 200));
    QImageReader gif(QStringLiteral(":/zorvane/banner.gif"));
    EXPECT_EQ(gif.format(), "gif");
    EXPECT_EQ(gif.imageCount(), 10);
    EXPECT_EQ(QImageReader(QStringLiteral(":/zorvane/portrait.jpg")).format(), "jpeg");

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
    EXPECT_EQ(about_->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
}

TEST_F(AboutWindowTest, TheAddressShowsWholeInBoldTahomaAndIsNoLink)
{
    for (const QLabel *label : {control<WebsiteCaption>(), control<WebsiteLabel>()}) {
        const QFontInfo font(label->font());
        EXPECT_EQ(font.family(), "Tahoma") << label->text().toStdString();
        EXPECT_TRUE(font.bold()) << label->text().toStdString();
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());
    }
    auto *address = control<WebsiteLabel>();
    EXPECT_EQ(address->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_FALSE(address->openExternalLinks());
    QTest::mouseClick(address, Qt::LeftButton);
    EXPECT_TRUE(about_->isVisible()) << "clicking the address does nothing";
}

} // namespace
} // namespace zorvane::ui
