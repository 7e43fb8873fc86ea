// SPDX-License-Identifier: MIT
#include "about_window.h"

#include "ui_support.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QTest>

#include <algorithm>

namespace zorvane::ui {
namespace {

using enum forms::AboutControl;

TEST(AboutWindowTest, LooksAsDescribed)
{
    QWidget owner;
    auto *about = new AboutWindow(&owner);
    about->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(about->windowTitle(), "About Tolmek");
    EXPECT_EQ(about->size(), QSize(622, 230));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    // The pictures too, compiled in and at their natural size.
    testing::ExpectDrawnAsDescribed(*about, forms::kAboutWindow, about->controls());
    EXPECT_TRUE(about->control<Greeting>()->text().startsWith("Hello, I am Tolmek"));

    // The address shows whole in bold Tahoma, and is no link.
    for (const QLabel *label : {about->control<WebsiteCaption>(), about->control<WebsiteLabel>()}) {
        const QFontInfo font(label->font());
        EXPECT_EQ(font.family(), "Tahoma") << label->text().toStdString();
        EXPECT_TRUE(font.bold()) << label->text().toStdString();
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());
    }
    auto *address = about->control<WebsiteLabel>();
    EXPECT_EQ(address->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_FALSE(address->openExternalLinks());
    QTest::mouseClick(address, Qt::LeftButton);
    EXPECT_TRUE(about->isVisible()) << "clicking the address does nothing";

    // The animation and the icons keep their frames, sizes and few colours.
    EXPECT_EQ(about->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    EXPECT_EQ(QImageReader(QStringLiteral(":/zorvane/banner.gif")).imageCount(), 10);
    for (const char *stem : {"zorvane", "about"}) {
        for (const int size : {16, 32}) {
            const QImage image(QStringLiteral(":/zorvane/%1-%2.png").arg(stem).arg(size));
            EXPECT_EQ(image.size(), QSize(size, size)) << stem << size;
            EXPECT_LE(image.colorCount(), 16) << stem << size;
            EXPECT_GT(image.colorCount(), 0) << stem << size << " has a palette";
        }
        // Windows builds carry an .ico with every size Windows asks for up to 200%.
        QImageReader ico(QStringLiteral(ZORVANE_ASSETS_DIR "/%1.ico").arg(stem));
        QList<int> sizes;
        for (int i = 0; i < ico.imageCount() && ico.jumpToImage(i); ++i)
            sizes << ico.read().width();
        std::sort(sizes.begin(), sizes.end());
        EXPECT_EQ(sizes, (QList<int>{16, 20, 24, 32, 40, 48, 64, 256})) << stem;
    }
}

} // namespace
} // namespace zorvane::ui
