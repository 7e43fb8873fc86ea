// SPDX-License-Identifier: MIT
// Both windows, the password field and the memory handed back, used as a user does.
#include "about_window.h"
#include "accessibility.h"
#include "main_window.h"
#include "password_field.h"
#include "placement.h"
#include "program.h"
#include "scripted_source.h"
#include "wipe_freed.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace zorvane::qt {
namespace {

constexpr char kFailed[] = "No password: the system's random source failed.";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { OpenMainWindow(); }
    void OpenMainWindow()
    {
        window_ = std::make_unique<MainWindow>();
        programEnds_ = 0;
        window_->setEndProgram([this] { ++programEnds_; });
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    template <typename Widget = QWidget> Widget *Control(const char *name) const
    {
        return window_->findChild<Widget *>(name);
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
    AboutWindow *About() const { return window_->findChild<AboutWindow *>(); }

    std::unique_ptr<MainWindow> window_;
    int programEnds_ = 0;
};

TEST_F(MainWindowTest, APressedButtonShowsADarkerFace)
{
    Control<QPushButton>("Command2")->setDown(true);
    EXPECT_EQ(Control("Command2")->grab().toImage().pixel(60, 4), qRgb(221, 111, 111));
}

TEST_F(MainWindowTest, TabFollowsTheLayout)
{
    QString visited = QStringLiteral("Text1");
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited += QLatin1Char(' ') + QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, "Text1 Command1 Command2 Text2 Command3 Text1");
}

TEST_F(MainWindowTest, OnlyTheFocusedButtonAnswersSpaceAndEnter)
{
    QTest::keyClicks(Control("Text1"), QStringLiteral("5"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(Control("Text1"), key);
    QTest::keyClick(Field(), Qt::Key_Return);
    EXPECT_EQ(Control<QLabel>("Label3")->text(), "") << "Enter in a field or Esc made a request";
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
    EXPECT_EQ(Password() + QString(buffer, 6), QStringLiteral("k3tz9q") + QString(6, QChar(0)));
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
        EXPECT_EQ(Password() + Control<QLabel>("Label3")->text(), "25200") << name;
        EXPECT_NE(onScreen().copy(150, 0, 40, 20), empty.copy(150, 0, 40, 20)) << name << ": blank";
        EXPECT_EQ(Field()->accessibleDescription(), kFailed) << name;
        FailFrom(9);
        Generate("0");
        EXPECT_TRUE(Field()->accessibleDescription().isEmpty() && onScreen() == empty) << name;
    }
}

// Orca's own test hears each request; here, what it cannot make happen.
TEST_F(MainWindowTest, ARequestIsAnnouncedUrgentlyOnlyWhenTheSourceFailed)
{
    auto *announcer = window_->findChild<Announcer *>();
    Generate("6");
    EXPECT_EQ(announcer->text(), "New password, 6 characters. Number of Combinations: 25200.");
    EXPECT_FALSE(announcer->urgent());
    FailFrom(1);
    Generate("6");
    EXPECT_EQ(announcer->text(), kFailed);
    EXPECT_TRUE(announcer->urgent());
    // A screen reader asking past either end of the window's children gets none.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(window_.get());
    EXPECT_TRUE(!window->child(-1) && !window->child(window->childCount()));
}

void Answer(QMessageBox::StandardButton button)
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr) << "no question is showing";
    EXPECT_EQ(box->windowTitle() + box->text(), "ZorvaneAre you sure you want to quit?");
    EXPECT_TRUE(box->icon() == QMessageBox::NoIcon && box->button(button)->icon().isNull());
    box->button(button)->click();
}

TEST_F(MainWindowTest, ExitAsksAndYesEndsTheProgramAsClosingTheWindowDoes)
{
    for (const auto &[name, button, ends] :
         {std::tuple{"Exit answered No", QMessageBox::No, false},
          std::tuple{"Exit answered Yes", QMessageBox::Yes, true},
          std::tuple{"closed through the frame", QMessageBox::NoButton, true}}) {
        OpenMainWindow();
        Click("Command3");
        const QPointer<AboutWindow> about = About();
        if (button == QMessageBox::NoButton) {
            window_->close();
        } else {
            QTimer::singleShot(0, [button = button] { Answer(button); });
            Click("Command2");
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(programEnds_, ends ? 1 : 0) << name;
        EXPECT_EQ(window_->isVisible() + (about && about->isVisible()), ends ? 0 : 2) << name;
    }
}

// Ended by its window, the program's event loop returns success.
TEST(ProgramTest, ClosingTheMainWindowEndsTheProgramWithSuccess)
{
    MainWindow window;
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

// The exit question, which no table describes, shares the windows' face.
TEST(ProgramTest, StartingGivesTheApplicationTheWindowsFace)
{
    const auto window = StartProgram();
    EXPECT_EQ(QApplication::font().family(),
              qApp->devicePixelRatio() > 1 ? "Microsoft Sans Serif" : "MS Sans Serif");
}

TEST_F(MainWindowTest, TheWindowTakingTheFocusItselfHidesTheAboutWindow)
{
    Click("Command3");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window_.get(), &activate);
    EXPECT_TRUE(About()->isVisible()) << "a control takes the focus";
    for (QWidget *control : window_->findChildren<QWidget *>())
        control->setEnabled(control->isWindow());
    QApplication::sendEvent(window_.get(), &activate);
    EXPECT_FALSE(About()->isVisible()) << "no control can take it";
}

TEST_F(MainWindowTest, AboutOpensOneWindowCentredThatBackHides)
{
    Click("Command3");
    Click("Command3");
    const QPointer<AboutWindow> about = About();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(window_->findChildren<AboutWindow *>().size(), 1);
    EXPECT_EQ(about->minimumSize(), QSize(622, 230));
    EXPECT_EQ(about->maximumSize(), QSize(622, 230));
    EXPECT_EQ(about->geometry().center(), about->screen()->availableGeometry().center());
    EXPECT_EQ(about->findChild<QLabel *>("Label3")->textInteractionFlags(), Qt::NoTextInteraction);
    QTest::mouseClick(about->findChild<QWidget *>("Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(about.isNull()) << "hidden, not destroyed";
    EXPECT_FALSE(about->isVisible());
    Click("Command3");
    EXPECT_TRUE(About() == about && about->isVisible()) << "the same window, shown again";
}

bool Near(QRgb a, QRgb b) // give or take smoothing and JPEG
{
    const int off = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b));
    return off + std::abs(qBlue(a) - qBlue(b)) < 48;
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

TEST(PlacementTest, AWindowIsCentredOnTheWorkAreaPanelsLeave)
{
    EXPECT_EQ(CentredIn(QRect(60, 40, 1220, 760), QSize(622, 230)), QPoint(359, 305));
}

// On two offscreen screens, at 100% and 200%; Qt 5's has one only.
TEST_F(MainWindowTest, AWindowMovedToAScreenOfAnotherScaleRefits)
{
    if (QGuiApplication::screens().size() < 2)
        GTEST_SKIP() << "one screen only";
    Click("Command3");
    About()->windowHandle()->setScreen(QGuiApplication::screens()[1]);
    EXPECT_EQ(About()->findChild<QWidget *>("Label1")->font().family(), "Microsoft Sans Serif");
    EXPECT_EQ(About()->findChild<QLabel *>("Image1")->pixmap(Qt::ReturnByValue).size(),
              QSize(452, 200));
}

// Plain text with the secret hint and nothing else, as other programs see it.
QString SecretIn(const QMimeData *offer)
{
    const bool secret = offer && offer->formats().size() == 2 && offer->hasText() &&
                        offer->data(QStringLiteral("x-kde-passwordManagerHint")) == "secret";
    return secret ? offer->text() : QStringLiteral("(not marked secret)");
}

using PasswordFieldTest = MainWindowTest;

TEST_F(PasswordFieldTest, NeitherTypingNorPastingChangesThePassword)
{
    Generate("8");
    const QString password = Password();
    for (const auto mode : {QClipboard::Clipboard, QClipboard::Selection})
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"), mode);
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
    QTest::keyClick(Field(), Qt::Key_Right);
    QTest::keyClick(Field(), Qt::Key_Right);
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (const auto &[key, selected] : {std::pair{Qt::Key_Right, Password().mid(2, 1)},
                                        std::pair{Qt::Key_End, Password().mid(2)}}) {
        QTest::keyClick(Field(), key, Qt::ShiftModifier);
        if (clipboard->supportsSelection()) {
            EXPECT_EQ(SecretIn(clipboard->mimeData(QClipboard::Selection)), selected);
        }
        QTest::keyClick(Field(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(SecretIn(clipboard->mimeData()), selected) << "Ctrl+C";
        const std::unique_ptr<QMimeData> drag(
            (Field()->*&DragSource::createMimeDataFromSelection)());
        EXPECT_EQ(SecretIn(drag.get()), selected) << "a drag";
    }
}

// Blocks of 16 usable bytes, from the test's own memory; each block handed
// back is read as it goes, never after.
struct Heap {
    std::array<std::array<char, 16>, 3> blocks{};
    std::size_t used = 0;
    std::vector<std::string> released;
    void *Allocate(std::size_t) { return blocks.at(used++).data(); }
    void Release(void *block) { released.emplace_back(static_cast<char *>(block), 16); }
    std::size_t UsableSize(void *) { return 16; }
};

TEST(WipeFreedTest, ReallocZeroesEveryBlockItHandsBack)
{
    Heap heap;
    auto *block = static_cast<char *>(heap.Allocate(16));
    std::memcpy(block, "k3tz9qwm8x2p5vn7", 16);
    EXPECT_EQ(ReallocWiped(heap, block, 8), block) << "a block that shrinks stays whole";
    EXPECT_TRUE(heap.released.empty());
    auto *grown = static_cast<char *>(ReallocWiped(heap, block, 17));
    EXPECT_EQ(std::string(grown, 16), "k3tz9qwm8x2p5vn7");
    EXPECT_EQ(heap.released, std::vector<std::string>{std::string(16, '\0')}) << "the old block";
    EXPECT_EQ(ReallocWiped(heap, grown, 0), nullptr);
    EXPECT_EQ(heap.released.back(), std::string(16, '\0')) << "a block freed by size 0";
}

} // namespace
} // namespace zorvane::qt
