// SPDX-License-Identifier: MIT
// Both windows: how they look, what their buttons and keys do, where they go.
#include "accessibility.h"
#include "main_window_fixture.h"
#include "pictures.h"
#include "placement.h"
#include "scripted_source.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVector3D>
#include <QWindow>

namespace zorvane::qt {
namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255), kRed = qRgb(255, 0, 0), kBlack = qRgb(0, 0, 0);
constexpr QRgb kGreen = qRgb(128, 255, 128), kGrey = qRgb(192, 192, 192);

// Whether `pixel` lies on the way from `from` to `to`, as smoothed text does.
bool IsBlend(QRgb pixel, QRgb from, QRgb to)
{
    const auto vector = [](QRgb rgb) {
        return QVector3D(float(qRed(rgb)), float(qGreen(rgb)), float(qBlue(rgb)));
    };
    const QVector3D way = vector(to) - vector(from), off = vector(pixel) - vector(from);
    const float t = way.isNull() ? 0 : QVector3D::dotProduct(off, way) / way.lengthSquared();
    return (off - std::clamp(t, 0.0f, 1.0f) * way).length() <= 6;
}

// A control drawn in `own` (a label's text, a button's face, a square), with
// `other` blended in (the background under text, a caption's black).
struct Look {
    const char *name;
    QRgb own = 0, other = 0; // none: a picture, checked on its own
};

// Each control shows its own colour and nothing but it and its other; around
// them the window shows only `background`.
void ExpectDrawn(QWidget &window, QRgb background, std::initializer_list<Look> looks)
{
    QImage around = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const Look &look : looks) {
        QWidget *control = Find(window, look.name);
        QPainter(&around).fillRect(control->geometry(), background);
        if (!look.own)
            continue;
        const QImage image = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int shown = 0, bad = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                shown += image.pixel(x, y) == look.own;
                bad += !IsBlend(image.pixel(x, y), look.own, look.other);
            }
        EXPECT_GT(shown, 0) << look.name;
        EXPECT_EQ(bad, 0) << look.name;
    }
    EXPECT_EQ(around.convertToFormat(QImage::Format_Indexed8).colorTable(),
              QVector<QRgb>{background});
}

TEST_F(MainWindowTest, LooksAsDescribed)
{
    EXPECT_EQ(window_->size(), QSize(254, 255));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the layout is fixed";
    Generate("7"); // the figure shows nothing until a request
    ExpectDrawn(*window_, kGreen,
                {{"Label1", kBlue, kGreen},
                 {"Label2", kBlue, kGreen},
                 {"Label3", kRed, kGreen},
                 {"Shape1", kRed, kRed},
                 {"Shape2", kRed, kRed},
                 {"Command1", qRgb(255, 255, 0), kBlack},
                 {"Command2", qRgb(255, 128, 128), kBlack},
                 {"Command3", qRgb(0, 192, 0), kBlack},
                 {"Text1"},
                 {"Text2"}});
}

TEST_F(MainWindowTest, APressedButtonShowsADarkerFace)
{
    auto *exit = Control<QPushButton>("Command2");
    exit->setDown(true);
    EXPECT_EQ(exit->grab().toImage().pixel(exit->width() / 2, 4), qRgb(221, 111, 111));
}

TEST_F(MainWindowTest, CaptionsAreInTheWindowsFaceAt13Pixels)
{
    Generate("1");
    for (const char *name : {"Command1", "Command2", "Command3"}) {
        EXPECT_EQ(QFontInfo(Control(name)->font()).family(), "MS Sans Serif") << name;
        EXPECT_EQ(Control(name)->font().pixelSize(), 13) << name;
    }
}

TEST_F(MainWindowTest, AWiderFaceShrinksACaptionJustEnoughToShowWhole)
{
    for (int id = 0; id < 64; ++id)
        if (QFontDatabase::applicationFontFamilies(id).contains(QStringLiteral("MS Sans Serif")))
            QFontDatabase::removeApplicationFont(id);
    const auto restore = qScopeGuard([] {
        QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"));
    });
    OpenMainWindow();
    Generate("1");
    QFont font = GenerateButton()->font();
    ASSERT_NE(QFontInfo(font).family(), "MS Sans Serif");
    EXPECT_LT(font.pixelSize(), 13) << "the stand-in face should be too wide";
    const auto width = [this](const QFont &at) {
        return QFontMetrics(at).horizontalAdvance(GenerateButton()->text());
    };
    EXPECT_LE(width(font), 113 - 6);
    font.setPixelSize(font.pixelSize() + 1);
    EXPECT_GT(width(font), 113 - 6) << "shrunk more than needed";
}

TEST_F(MainWindowTest, TabFollowsTheLayout)
{
    QList<QWidget *> visited{QApplication::focusWidget()};
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    EXPECT_EQ(visited, (QList<QWidget *>{LengthField(), GenerateButton(), Control("Command2"),
                                         Field(), AboutButton(), LengthField()}));
}

TEST_F(MainWindowTest, EnterInAFieldAndEscStartNothing)
{
    QTest::keyClicks(LengthField(), QStringLiteral("5"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(LengthField(), key);
    QTest::keyClick(Field(), Qt::Key_Return);
    EXPECT_EQ(Figure()->text(), "");
    EXPECT_EQ(GenerateButton()->text(), "Generate Password");
}

TEST_F(MainWindowTest, SpaceAndEnterPressTheFocusedButton)
{
    LengthField()->setText(QStringLiteral("5"));
    GenerateButton()->setFocus();
    QTest::keyClick(GenerateButton(), Qt::Key_Space);
    EXPECT_EQ(Password().size(), 5);
    EXPECT_EQ(Figure()->text(), "4200");
    EXPECT_EQ(GenerateButton()->text(), "I want another one!!");
    EXPECT_EQ(LengthField()->text(), "5") << "the length is never changed";
    LengthField()->setText(QStringLiteral("32767"));
    QTest::keyClick(GenerateButton(), Qt::Key_Return);
    EXPECT_EQ(Password().size(), 32767);
    EXPECT_GT(Field()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(Field()->horizontalScrollBar()->maximum(), 0) << "wraps within the field";
}

TEST_F(MainWindowTest, TheCopyHandedToTheFieldIsWiped)
{
    QString password = QString::fromLatin1("k3tz9q");
    const QChar *buffer = password.constData();
    Field()->ShowPassword(password, QString());
    EXPECT_EQ(Password(), "k3tz9q");
    EXPECT_TRUE(password.isEmpty());
    EXPECT_EQ(QString(buffer, 6), QString(6, QChar(0))) << "a character survives";
}

TEST_F(MainWindowTest, AFailedSourceSaysSoInFull)
{
    // What the screen shows of the password field: the parts Qt repainted.
    const auto onScreen = [this] {
        QTest::qWait(20);
        return window_->screen()->grabWindow(window_->winId()).toImage().copy(Field()->geometry());
    };
    const auto heard = [this] {
        return QAccessible::queryAccessibleInterface(Field())->text(QAccessible::Description);
    };
    for (const auto &[name, failFrom] :
         {std::pair{"on the first request", 1u}, std::pair{"after an earlier password", 2u}}) {
        SCOPED_TRACE(name);
        OpenMainWindow();
        const QImage empty = onScreen();
        auto source = std::make_unique<zorvane::testing::ScriptedSource>();
        source->failFrom = failFrom;
        window_->setRandomSource(std::move(source));
        for (unsigned request = 0; request < failFrom; ++request)
            Generate("6");
        EXPECT_EQ(Password(), "");
        EXPECT_EQ(Figure()->text(), "25200");
        // The sentence's first line reaches well across the field.
        const QRect across(empty.width() / 2, 0, empty.width() / 6, 20);
        EXPECT_NE(onScreen().copy(across), empty.copy(across));
        EXPECT_EQ(heard(), "No password: the system's random source failed.");
        window_->setRandomSource(std::make_unique<zorvane::testing::ScriptedSource>());
        Generate("0");
        EXPECT_EQ(heard(), "") << "once the source works again";
        EXPECT_EQ(onScreen(), empty);
    }
}

// Counts the times a widget is shown: a screen reader speaks a notification
// each time it becomes showing.
struct ShowCounter final : QObject {
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        shows += event->type() == QEvent::Show;
        return false;
    }
};

TEST_F(MainWindowTest, EachRequestIsAnnouncedOnceWithoutThePasswordOrAFocusChange)
{
    auto *announcer = window_->findChild<Announcer *>();
    QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(announcer);
    ASSERT_NE(heard, nullptr);
    EXPECT_EQ(heard->role(), QAccessible::Notification);
    EXPECT_FALSE(announcer->isVisible()) << "silent before the first request";
    ShowCounter counter;
    announcer->installEventFilter(&counter);
    window_->setRandomSource(std::make_unique<zorvane::testing::ScriptedSource>());
    GenerateButton()->setFocus();
    for (const int request : {1, 2}) {
        Generate("6");
        EXPECT_EQ(counter.shows, request) << "the same words, heard again";
        EXPECT_EQ(heard->text(QAccessible::Name),
                  "New password, 6 characters. Number of Combinations: 25200.");
        EXPECT_FALSE(announcer->urgent());
        EXPECT_FALSE(heard->text(QAccessible::Name).contains(Password()));
        EXPECT_EQ(QApplication::focusWidget(), GenerateButton());
    }
    auto failing = std::make_unique<zorvane::testing::ScriptedSource>();
    failing->failFrom = 1;
    window_->setRandomSource(std::move(failing));
    Generate("6");
    EXPECT_EQ(counter.shows, 3);
    EXPECT_EQ(heard->text(QAccessible::Name), "No password: the system's random source failed.");
    EXPECT_TRUE(announcer->urgent());
    announcer->removeEventFilter(&counter);
}

TEST_F(MainWindowTest, ExitAsksAndYesEndsTheProgramAsClosingTheWindowDoes)
{
    struct Ending {
        const char *name;
        QMessageBox::StandardButton answer; // NoButton: the window is closed instead
        bool aboutShown, ends;
    };
    for (const Ending &row :
         {Ending{"Exit answered No", QMessageBox::No, false, false},
          Ending{"Exit answered No over About", QMessageBox::No, true, false},
          Ending{"Exit answered Yes", QMessageBox::Yes, false, true},
          Ending{"Exit answered Yes over About", QMessageBox::Yes, true, true},
          Ending{"window closed", QMessageBox::NoButton, false, true},
          Ending{"window closed over About", QMessageBox::NoButton, true, true}}) {
        SCOPED_TRACE(row.name);
        OpenMainWindow();
        programEnds_ = 0;
        Generate("4");
        const QString password = Password();
        if (row.aboutShown)
            QTest::mouseClick(AboutButton(), Qt::LeftButton);
        const QPointer<AboutWindow> about = About();
        if (row.answer == QMessageBox::NoButton) {
            EXPECT_TRUE(window_->close());
        } else {
            QTimer::singleShot(0, [&row] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr) << "no question is showing";
                EXPECT_EQ(box->text(), "Are you sure you want to quit?");
                EXPECT_EQ(box->windowTitle(), "Zorvane");
                EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
                EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
                EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
                for (const QAbstractButton *button : box->buttons())
                    EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
                box->button(row.answer)->click();
            });
            QTest::mouseClick(Control("Command2"), Qt::LeftButton);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(programEnds_, row.ends ? 1 : 0);
        EXPECT_EQ(window_->isVisible(), !row.ends);
        EXPECT_EQ(about && about->isVisible(), !row.ends && row.aboutShown);
        EXPECT_EQ(Password(), password);
    }
}

TEST_F(MainWindowTest, TheWindowTakingTheFocusItselfHidesTheAboutWindow)
{
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    // The window takes the focus only when no control of it can.
    for (const auto &[name, keep, hides] :
         {std::tuple{"a button enabled", "Command1", false},
          std::tuple{"the password field enabled", "Text2", false},
          std::tuple{"only a label enabled", "Label1", true},
          std::tuple{"only a square enabled", "Shape1", true}}) {
        About()->show();
        for (QWidget *control :
             window_->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (!control->isWindow())
                control->setEnabled(control->objectName() == QLatin1String(keep));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(window_.get(), &activate);
        EXPECT_EQ(About()->isVisible(), !hides) << name;
    }
}

TEST_F(MainWindowTest, AboutOpensOneWindowCentredThatBackHides)
{
    EXPECT_EQ(About(), nullptr) << "made on first need";
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    const QPointer<AboutWindow> about = About();
    ASSERT_TRUE(about && QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(window_->findChildren<AboutWindow *>().size(), 1);
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->size(), QSize(622, 230));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    EXPECT_EQ(about->geometry().center(), about->screen()->availableGeometry().center());
    QTest::mouseClick(Find(*about, "Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(about.isNull()) << "hidden, not destroyed";
    EXPECT_FALSE(about->isVisible());
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    EXPECT_EQ(About(), about) << "the same window, shown again";
    EXPECT_TRUE(about->isVisible());
}

TEST_F(MainWindowTest, ClosingTheAboutWindowDestroysItAndAboutMakesANewOne)
{
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    const QPointer<AboutWindow> about = About();
    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    ASSERT_NE(About(), nullptr);
    EXPECT_TRUE(About()->isVisible());
    EXPECT_EQ(programEnds_, 0);
}

TEST_F(MainWindowTest, TheAboutWindowLooksAsDescribed)
{
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    constexpr QRgb kMagenta = qRgb(255, 0, 255);
    ExpectDrawn(*About(), kGrey,
                {{"Label1", kBlue, kGrey},
                 {"Label2", kMagenta, kGrey},
                 {"Label3", kBlue, kGrey},
                 {"Command1", qRgb(0, 192, 0), kBlack},
                 {"Image1"},
                 {"Image2"}});
    // The address shows whole in bold Tahoma, and is no link.
    auto *website = Find<QLabel>(*About(), "Label3");
    for (const QLabel *label : {Find<QLabel>(*About(), "Label2"), website}) {
        EXPECT_EQ(QFontInfo(label->font()).family(), "Tahoma");
        EXPECT_EQ(QFontInfo(label->font()).weight(), QFont::Bold);
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());
    }
    EXPECT_EQ(website->textInteractionFlags(), Qt::NoTextInteraction);
}

// Whether `pixel` is `colour`, give or take what smoothing and JPEG change.
bool Near(QRgb pixel, QRgb colour)
{
    return std::abs(qRed(pixel) - qRed(colour)) + std::abs(qGreen(pixel) - qGreen(colour)) +
               std::abs(qBlue(pixel) - qBlue(colour)) <=
           48;
}

// Upright, at every scale: the banner's padlock is yellow below and dark
// above; the portrait's sweater is navy below a light sky.
TEST(PicturesTest, AreDrawnUprightAtTheirSizeAtEveryScale)
{
    for (const auto &[ratio, banner, portrait] :
         {std::tuple{1.0, QSize(226, 100), QSize(150, 200)},
          std::tuple{1.25, QSize(283, 125), QSize(188, 250)},
          std::tuple{1.5, QSize(339, 150), QSize(225, 300)},
          std::tuple{2.0, QSize(452, 200), QSize(300, 400)}}) {
        SCOPED_TRACE(ratio);
        const QImage lock = PictureOf(forms::Picture::Banner, ratio).toImage();
        const QImage face = PictureOf(forms::Picture::Portrait, ratio).toImage();
        ASSERT_EQ(lock.size(), banner);
        ASSERT_EQ(face.size(), portrait);
        const auto at = [](const QImage &image, double x, double y) {
            return image.pixel(int(x * image.width()), int(y * image.height()));
        };
        EXPECT_PRED2(Near, at(lock, 0.11, 0.70), qRgb(0xE7, 0xB0, 0x34));
        EXPECT_PRED2(Near, at(lock, 0.11, 0.30), qRgb(0xC9, 0xD3, 0xE3));
        EXPECT_PRED2(Near, at(face, 0.5, 0.95), qRgb(0x24, 0x46, 0x6C));
        EXPECT_PRED2(Near, at(face, 0.5, 0.05), qRgb(0xE0, 0xE9, 0xF2));
    }
}

TEST_F(MainWindowTest, EachWindowShowsItsOwnIconAt16And32Pixels)
{
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    for (const auto &[window, colour] :
         {std::pair<QWidget *, QRgb>{window_.get(), qRgb(0x1F, 0x2A, 0x44)},
          {About(), qRgb(255, 255, 255)}}) {
        const QList<QSize> sizes = window->windowIcon().availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)));
        const QImage small = window->windowIcon().pixmap(16).toImage();
        EXPECT_PRED2(Near, small.pixel(small.width() / 2, small.height() * 3 / 4), colour);
    }
}

TEST(PlacementTest, AWindowIsCentredOnTheWorkArea)
{
    // A panel takes the screen's top 40 pixels and its left 60.
    EXPECT_EQ(CentredIn(QRect(60, 40, 1220, 760), QSize(622, 230)), QPoint(359, 305));
}

// ui_tests run on two offscreen screens, "one" at 100% and "two" at 200%;
// Qt 5's offscreen platform has one screen only.
TEST_F(MainWindowTest, AWindowMovedToAScreenOfAnotherScaleRefits)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        GTEST_SKIP() << "one screen only";
    QTest::mouseClick(AboutButton(), Qt::LeftButton);
    auto *banner = Find<QLabel>(*About(), "Image1");
    auto *greeting = Find(*About(), "Label1");
    ASSERT_EQ(About()->devicePixelRatioF(), 1);
    EXPECT_EQ(greeting->font().family(), "MS Sans Serif");
    EXPECT_EQ(banner->pixmap(Qt::ReturnByValue).size(), QSize(226, 100));
    About()->windowHandle()->setScreen(screens[1]);
    ASSERT_EQ(About()->devicePixelRatioF(), 2);
    EXPECT_EQ(greeting->font().family(), "Microsoft Sans Serif");
    EXPECT_EQ(greeting->font().pixelSize(), 13);
    EXPECT_EQ(banner->pixmap(Qt::ReturnByValue).size(), QSize(452, 200));
}

} // namespace
} // namespace zorvane::qt
