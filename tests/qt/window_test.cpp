// SPDX-License-Identifier: MIT
// Both windows and the password field, driven with real keys and clicks.
#include "about_window.h"
#include "accessibility.h"
#include "main_window.h"
#include "password_field.h"
#include "pictures.h"
#include "placement.h"
#include "scripted_source.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace zorvane::qt {
namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255), kRed = qRgb(255, 0, 0), kBlack = qRgb(0, 0, 0);
constexpr QRgb kGreen = qRgb(128, 255, 128), kGrey = qRgb(192, 192, 192);
constexpr char kFailed[] = "No password: the system's random source failed.";

template <typename Widget = QWidget> Widget *Find(const QWidget *window, const char *name)
{
    return window->findChild<Widget *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// Each control named shows its own colour (a text, a face, a square), and
// only it and blends of it with another; around the controls the window
// shows only `background`.
void ExpectDrawn(QWidget *window, QRgb background,
                 std::initializer_list<std::tuple<const char *, QRgb, QRgb>> looks)
{
    QImage around = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const QWidget *control : window->findChildren<QWidget *>())
        QPainter(&around).fillRect(control->isWindow() ? QRect() : control->geometry(), background);
    EXPECT_EQ(around.convertToFormat(QImage::Format_Indexed8).colorTable(), QList{background});
    for (const auto &[name, own, other] : looks) {
        const QImage image =
            Find(window, name)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int shown = 0, bad = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                for (const int shift : {0, 8, 16}) {
                    const auto channel = [shift](QRgb rgb) { return int(rgb >> shift & 0xFFu); };
                    const int at = channel(image.pixel(x, y)), a = channel(own), b = channel(other);
                    shown += shift == 0 && image.pixel(x, y) == own;
                    bad += at < std::min(a, b) - 6 || at > std::max(a, b) + 6;
                }
        EXPECT_TRUE(shown > 0 && bad == 0) << name << ": " << shown << ", " << bad;
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { OpenMainWindow(); }
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void OpenMainWindow()
    {
        window_ = std::make_unique<MainWindow>();
        window_->setEndProgram([this] { ++programEnds_; });
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    template <typename Widget = QWidget> Widget *Control(const char *name) const
    {
        return Find<Widget>(window_.get(), name);
    }
    void Click(const char *name) const { QTest::mouseClick(Control(name), Qt::LeftButton); }
    void Generate(const char *length)
    {
        Control<QLineEdit>("Text1")->setText(QString::fromLatin1(length));
        Click("Command1");
    }
    void FailFrom(std::size_t request)
    {
        auto source = std::make_unique<zorvane::testing::ScriptedSource>();
        source->failFrom = request;
        window_->setRandomSource(std::move(source));
    }
    PasswordField *Field() const { return Control<PasswordField>("Text2"); }
    QString Password() const { return Field()->toPlainText(); }
    QString Figure() const { return Control<QLabel>("Label3")->text(); }
    AboutWindow *About() const { return window_->findChild<AboutWindow *>(); }

    std::unique_ptr<MainWindow> window_;
    int programEnds_ = 0;
};

TEST_F(MainWindowTest, LooksAsDescribed)
{
    EXPECT_EQ(window_->minimumSize(), QSize(254, 255));
    EXPECT_EQ(window_->maximumSize(), QSize(254, 255));
    Generate("7"); // the figure shows nothing until a request
    ExpectDrawn(window_.get(), kGreen,
                {{"Label1", kBlue, kGreen},
                 {"Label2", kBlue, kGreen},
                 {"Label3", kRed, kGreen},
                 {"Shape1", kRed, kRed},
                 {"Shape2", kRed, kRed},
                 {"Command1", qRgb(255, 255, 0), kBlack},
                 {"Command2", qRgb(255, 128, 128), kBlack},
                 {"Command3", qRgb(0, 192, 0), kBlack}});
}

TEST_F(MainWindowTest, APressedButtonShowsADarkerFace)
{
    Control<QPushButton>("Command2")->setDown(true);
    EXPECT_EQ(Control("Command2")->grab().toImage().pixel(60, 4), qRgb(221, 111, 111));
}

// Enter in either field and Esc anywhere start nothing.
TEST_F(MainWindowTest, OnlyTheFocusedButtonAnswersSpaceAndEnter)
{
    QTest::keyClicks(Control("Text1"), QStringLiteral("5"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(Control("Text1"), key);
    QTest::keyClick(Field(), Qt::Key_Return);
    EXPECT_EQ(Figure(), "");
    QTest::keyClick(Control("Command1"), Qt::Key_Space);
    EXPECT_EQ(Password().size(), 5);
    Control<QLineEdit>("Text1")->setText(QStringLiteral("32767"));
    QTest::keyClick(Control("Command1"), Qt::Key_Return);
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
    EXPECT_EQ(QString(buffer, 6), QString(6, QChar(0)));
}

TEST_F(MainWindowTest, AFailedSourceSaysSoInFull)
{
    const auto onScreen = [this] { // the parts of the field Qt repainted
        QTest::qWait(20);
        return window_->screen()->grabWindow(window_->winId()).toImage().copy(Field()->geometry());
    };
    for (const auto &[name, failFrom] :
         {std::pair{"on the first request", 1u}, std::pair{"after a password", 2u}}) {
        OpenMainWindow();
        const QImage empty = onScreen();
        FailFrom(failFrom);
        for (unsigned request = 0; request < failFrom; ++request)
            Generate("6");
        EXPECT_EQ(Password() + Figure(), "25200") << name;
        const QRect across(150, 0, 40, 20); // the sentence's first line reaches across
        EXPECT_NE(onScreen().copy(across), empty.copy(across)) << name;
        EXPECT_EQ(Field()->accessibleDescription(), kFailed) << name;
        FailFrom(9);
        Generate("0");
        EXPECT_EQ(Field()->accessibleDescription(), "") << name;
        EXPECT_EQ(onScreen(), empty) << name;
    }
}

// Orca's own test hears each request; here, what it cannot make happen.
TEST_F(MainWindowTest, ARequestIsAnnouncedUrgentlyOnlyWhenTheSourceFailed)
{
    auto *announcer = window_->findChild<Announcer *>();
    EXPECT_FALSE(announcer->isVisible()) << "silent before the first request";
    Generate("6");
    EXPECT_EQ(announcer->text(), "New password, 6 characters. Number of Combinations: 25200.");
    EXPECT_FALSE(announcer->urgent());
    FailFrom(1);
    Generate("6");
    EXPECT_EQ(announcer->text(), kFailed);
    EXPECT_TRUE(announcer->urgent());
}

TEST_F(MainWindowTest, ExitAsksAndYesEndsTheProgramAsClosingTheWindowDoes)
{
    const auto answer = [](QMessageBox::StandardButton button) {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no question is showing";
        EXPECT_EQ(box->windowTitle() + box->text(), "ZorvaneAre you sure you want to quit?");
        EXPECT_TRUE(box->icon() == QMessageBox::NoIcon && box->button(button)->icon().isNull());
        box->button(button)->click();
    };
    // The About window showing each time; NoButton: closed through the frame.
    for (const auto &[name, button, ends] :
         {std::tuple{"Exit answered No", QMessageBox::No, false},
          std::tuple{"Exit answered Yes", QMessageBox::Yes, true},
          std::tuple{"closed", QMessageBox::NoButton, true}}) {
        OpenMainWindow();
        programEnds_ = 0;
        Click("Command3");
        const QPointer<AboutWindow> about = About();
        if (button == QMessageBox::NoButton) {
            window_->close();
        } else {
            QTimer::singleShot(0, [&answer, button = button] { answer(button); });
            Click("Command2");
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(programEnds_, ends ? 1 : 0) << name;
        EXPECT_EQ(window_->isVisible() + (about && about->isVisible()), ends ? 0 : 2) << name;
    }
}

TEST_F(MainWindowTest, TheWindowTakingTheFocusItselfHidesTheAboutWindow)
{
    Click("Command3");
    for (const auto &[enabled, hides] : {std::pair{"Command1", false}, std::pair{"Text2", false},
                                         std::pair{"Label1", true}, std::pair{"Shape1", true}}) {
        About()->show();
        for (QWidget *control : window_->findChildren<QWidget *>())
            if (!control->isWindow())
                control->setEnabled(control->objectName() == QLatin1String(enabled));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(window_.get(), &activate);
        EXPECT_EQ(About()->isVisible(), !hides) << "only " << enabled << " enabled";
    }
}

TEST_F(MainWindowTest, AboutOpensOneWindowCentredThatBackHides)
{
    EXPECT_EQ(About(), nullptr) << "made on first need";
    Click("Command3");
    Click("Command3");
    const QPointer<AboutWindow> about = About();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(window_->findChildren<AboutWindow *>().size(), 1);
    EXPECT_EQ(about->minimumSize(), QSize(622, 230));
    EXPECT_EQ(about->maximumSize(), QSize(622, 230));
    EXPECT_EQ(about->geometry().center(), about->screen()->availableGeometry().center());
    QTest::mouseClick(Find(about, "Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(about.isNull()) << "hidden, not destroyed";
    EXPECT_FALSE(about->isVisible());
    Click("Command3");
    EXPECT_TRUE(About() == about && about->isVisible()) << "the same window, shown again";
}

TEST_F(MainWindowTest, TheAboutWindowLooksAsDescribed)
{
    Click("Command3");
    ExpectDrawn(About(), kGrey,
                {{"Label1", kBlue, kGrey},
                 {"Label2", qRgb(255, 0, 255), kGrey},
                 {"Label3", kBlue, kGrey},
                 {"Command1", qRgb(0, 192, 0), kBlack}});
    // The address shows whole in bold Tahoma, and is no link.
    const auto *website = Find<QLabel>(About(), "Label3");
    EXPECT_EQ(QFontInfo(website->font()).family() + QFontInfo(website->font()).styleName(),
              "TahomaBold");
    EXPECT_LE(QFontMetrics(website->font()).horizontalAdvance(website->text()), 185);
    EXPECT_EQ(website->textInteractionFlags(), Qt::NoTextInteraction);
}

bool Near(QRgb pixel, QRgb colour) // give or take smoothing and JPEG
{
    return std::abs(qRed(pixel) - qRed(colour)) + std::abs(qGreen(pixel) - qGreen(colour)) +
               std::abs(qBlue(pixel) - qBlue(colour)) <=
           48;
}

// Upright at their size: the banner's padlock is yellow below its grey
// shackle, the portrait's navy sweater below a light sky.
TEST(PicturesTest, AreDrawnUprightAtTheirSizeAtEveryScale)
{
    for (const auto &[ratio, banner, portrait] :
         {std::tuple{1.0, QSize(226, 100), QSize(150, 200)},
          std::tuple{1.25, QSize(283, 125), QSize(188, 250)},
          std::tuple{1.5, QSize(339, 150), QSize(225, 300)}}) {
        const QImage lock = PictureOf(forms::Picture::Banner, ratio).toImage();
        const QImage face = PictureOf(forms::Picture::Portrait, ratio).toImage();
        ASSERT_EQ(lock.size(), banner);
        ASSERT_EQ(face.size(), portrait);
        const auto at = [](const QImage &image, double x, double y) {
            return image.pixel(int(x * image.width()), int(y * image.height()));
        };
        EXPECT_PRED2(Near, at(lock, 0.11, 0.70), qRgb(0xE7, 0xB0, 0x34)) << ratio;
        EXPECT_PRED2(Near, at(lock, 0.11, 0.30), qRgb(0xC9, 0xD3, 0xE3)) << ratio;
        EXPECT_PRED2(Near, at(face, 0.5, 0.95), qRgb(0x24, 0x46, 0x6C)) << ratio;
        EXPECT_PRED2(Near, at(face, 0.5, 0.05), qRgb(0xE0, 0xE9, 0xF2)) << ratio;
    }
}

// The padlock's dark display below its middle; the About icon's white "i".
TEST_F(MainWindowTest, EachWindowShowsItsOwnIconAt16And32Pixels)
{
    Click("Command3");
    for (const auto &[window, colour] :
         {std::pair<QWidget *, QRgb>{window_.get(), 0xFF1F2A44}, {About(), qRgb(255, 255, 255)}}) {
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

// ui_tests run on two offscreen screens, at 100% and 200%; Qt 5's offscreen
// platform has one screen only.
TEST_F(MainWindowTest, AWindowMovedToAScreenOfAnotherScaleRefits)
{
    if (QGuiApplication::screens().size() < 2)
        GTEST_SKIP() << "one screen only";
    Click("Command3");
    About()->windowHandle()->setScreen(QGuiApplication::screens()[1]);
    ASSERT_EQ(About()->devicePixelRatioF(), 2);
    EXPECT_EQ(Find(About(), "Label1")->font().family(), "Microsoft Sans Serif");
    EXPECT_EQ(Find<QLabel>(About(), "Image1")->pixmap(Qt::ReturnByValue).size(), QSize(452, 200));
}

// Plain text with the secret hint and nothing else, as other programs see it.
QString SecretIn(const QMimeData *offer)
{
    QStringList formats = offer ? offer->formats() : QStringList();
    formats.sort();
    if (formats.join(QLatin1Char(' ')) != QLatin1String("text/plain x-kde-passwordManagerHint") ||
        offer->data(QStringLiteral("x-kde-passwordManagerHint")) != "secret")
        return QStringLiteral("(not marked secret)");
    return offer->text();
}

using PasswordFieldTest = MainWindowTest;

TEST_F(PasswordFieldTest, NeitherTypingNorPastingChangesThePassword)
{
    Generate("8");
    const QString password = Password();
    for (const auto mode : {QClipboard::Clipboard, QClipboard::Selection})
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"), mode);
    Field()->setFocus();
    QTest::keyClicks(Field(), QStringLiteral("typed"));
    QTest::keyClick(Field(), Qt::Key_Backspace);
    QTest::keyClick(Field(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Field(), Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(Field()->viewport(), Qt::MiddleButton);
    EXPECT_EQ(Password(), password);
}

TEST_F(PasswordFieldTest, CopyWithNothingSelectedIsOffAndCopiesNothing)
{
    Generate("8");
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    const std::unique_ptr<QMenu> menu(Field()->createStandardContextMenu());
    EXPECT_FALSE(menu->findChild<QAction *>(QStringLiteral("edit-copy"))->isEnabled());
    QTest::keyClick(Field(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

struct DragSource : QPlainTextEdit { // reaches what a drag would carry
    using QPlainTextEdit::createMimeDataFromSelection;
};

// Also run on an X server, where selecting fills the primary selection.
TEST_F(PasswordFieldTest, EachCopyHoldsExactlyTheSelectionMarkedSecret)
{
    Generate("12");
    Field()->setFocus();
    QTest::keyClick(Field(), Qt::Key_Right);
    QTest::keyClick(Field(), Qt::Key_Right);
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (const auto &[key, part] : {std::pair{Qt::Key_Right, Password().mid(2, 1)},
                                    std::pair{Qt::Key_End, Password().mid(2)}}) {
        QTest::keyClick(Field(), key, Qt::ShiftModifier);
        if (clipboard->supportsSelection()) {
            EXPECT_EQ(SecretIn(clipboard->mimeData(QClipboard::Selection)), part);
        }
        QTest::keyClick(Field(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(SecretIn(clipboard->mimeData()), part) << "Ctrl+C";
        clipboard->clear();
        const std::unique_ptr<QMenu> menu(Field()->createStandardContextMenu());
        menu->findChild<QAction *>(QStringLiteral("edit-copy"))->trigger();
        EXPECT_EQ(SecretIn(clipboard->mimeData()), part) << "the menu's Copy";
        const std::unique_ptr<QMimeData> drag(
            (Field()->*&DragSource::createMimeDataFromSelection)());
        EXPECT_EQ(SecretIn(drag.get()), part) << "a drag";
    }
}

} // namespace
} // namespace zorvane::qt
