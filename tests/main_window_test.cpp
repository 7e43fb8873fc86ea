// SPDX-License-Identifier: MIT
#include "main_window.h"

#include "about_window.h"
#include "scripted_source.h"
#include "symbols.h"
#include "text.h"
#include "ui_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace zorvane::ui {
namespace {

using enum forms::MainControl;
using testing::Heard;

QString NameOf(forms::MainControl id)
{
    return ToQString(forms::Row(id).objectName);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { OpenMainWindow(); }

    void OpenMainWindow()
    {
        window_ = std::make_unique<MainWindow>();
        window_->setEndProgram([this] { ++programEnds_; });
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void TearDown() override
    {
        window_.reset();
        // Let windows that closed themselves finish their deferred deletion.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <forms::MainControl id> auto *control() const { return window_->control<id>(); }
    QString Password() const { return control<PasswordField>()->toPlainText(); }
    QString Figure() const { return control<FigureLabel>()->text(); }
    QString Caption() const { return control<GenerateButton>()->text(); }

    void Click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Generate(const QString &length)
    {
        control<LengthField>()->setText(length);
        Click(control<GenerateButton>());
    }

    // Answers the next message box with `answer`, after handing it to `inspect`.
    static void AnswerNextMessageBox(QMessageBox::StandardButton answer,
                                     std::function<void(QMessageBox &)> inspect = {})
    {
        QTimer::singleShot(0, [answer, inspect] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr) << "no message box is showing";
            if (inspect)
                inspect(*box);
            box->button(answer)->click();
        });
    }

    std::unique_ptr<MainWindow> window_;
    int programEnds_ = 0;
};

TEST_F(MainWindowTest, LooksAsDescribed)
{
    EXPECT_EQ(window_->windowTitle(), "Zorvane");
    EXPECT_EQ(window_->size(), QSize(254, 255));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the layout is fixed";
    Generate(QStringLiteral("7")); // the figure shows nothing until a request
    testing::ExpectDrawnAsDescribed(*window_, forms::kMainWindow, window_->controls());

    // Fields and buttons are drawn above labels: the length field overlaps its label's box.
    const QRect overlap =
        control<LengthLabel>()->geometry().intersected(control<LengthField>()->geometry());
    EXPECT_EQ(window_->childAt(overlap.center()), control<LengthField>());

    // While pressed, a button shows the model's darker face.
    auto *exit = control<ExitButton>();
    exit->setDown(true);
    const QImage pressed = exit->grab().toImage();
    exit->setDown(false);
    const QRgb face =
        testing::ToQRgb(forms::ButtonColoursOf(*forms::Row(ExitButton).colour).pressedFace);
    EXPECT_EQ(pressed.pixel(pressed.width() / 2, 4), face);
}

// Takes the windows' face away for a while, as on a system without it.
struct WithoutTheWindowsFace {
    WithoutTheWindowsFace()
    {
        for (int id = 0; id < 64; ++id)
            if (QFontDatabase::applicationFontFamilies(id).contains(
                    QStringLiteral("MS Sans Serif")))
                QFontDatabase::removeApplicationFont(id);
    }
    ~WithoutTheWindowsFace()
    {
        QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"));
    }
};

TEST_F(MainWindowTest, CaptionsShowWholeAndAWiderFaceShrinksEachJustEnough)
{
    Generate(QStringLiteral("1"));
    for (const QPushButton *button :
         {control<GenerateButton>(), control<ExitButton>(), control<AboutButton>()}) {
        EXPECT_EQ(QFontInfo(button->font()).family(), "MS Sans Serif");
        EXPECT_EQ(button->font().pixelSize(), 13) << button->text().toStdString();
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                  button->width() - 6);
    }
    // The length label wraps: its second line is drawn within its box.
    const QImage label = control<LengthLabel>()->grab().toImage();
    const QImage secondLine = label.copy(0, label.height() / 2, label.width(), label.height() / 2);
    QImage blank = secondLine;
    blank.fill(label.pixel(0, 0));
    EXPECT_NE(secondLine, blank);

    // Where a wider face stands in, each caption is whole at its size and cut
    // off at a pixel more, up to the intended 13.
    const WithoutTheWindowsFace missing;
    OpenMainWindow();
    auto *generate = control<GenerateButton>();
    ASSERT_NE(QFontInfo(generate->font()).family(), "MS Sans Serif");
    const auto expectFitted = [generate](const char *when) {
        QFont font = generate->font();
        const int room = generate->width() - 6;
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(generate->text()), room) << when;
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_TRUE(font.pixelSize() > 13 ||
                    QFontMetrics(font).horizontalAdvance(generate->text()) > room)
            << when << ": shrunk more than needed";
    };
    expectFitted("as built");
    Generate(QStringLiteral("1"));
    EXPECT_LT(generate->font().pixelSize(), 13) << "the stand-in face should be too wide";
    expectFitted("after the caption changed");
    // A pixel too narrow for the next size up, then room to grow back.
    QFont next = generate->font();
    next.setPixelSize(next.pixelSize() + 1);
    for (const int width :
         {QFontMetrics(next).horizontalAdvance(generate->text()) + 5, generate->width() + 40}) {
        generate->setFixedWidth(width);
        Generate(QStringLiteral("1"));
        expectFitted("on a wider button");
    }
}

TEST_F(MainWindowTest, GenerateFillsTheThreeTextsAndWipesItsCopyOfThePassword)
{
    QTest::keyClicks(control<LengthField>(), QStringLiteral("5"));
    Click(control<GenerateButton>());
    const std::string password = Password().toStdString();
    ASSERT_EQ(password.size(), 5u);
    EXPECT_NE(LeadLetterTable.find(password[0]), std::string_view::npos);
    EXPECT_EQ(password.find_first_not_of(SymbolTable), std::string::npos);
    EXPECT_EQ(Figure(), "4200");
    EXPECT_EQ(Caption(), "I want another one!!");
    EXPECT_EQ(control<LengthField>()->text(), "5") << "the length is never changed";

    Generate(QStringLiteral("3"));
    EXPECT_EQ(Figure(), "210");
    EXPECT_EQ(Password().size(), 3);
    EXPECT_EQ(Caption(), "I want another one!!");

    Generate(QStringLiteral("32767"));
    EXPECT_EQ(Password().size(), 32767);
    EXPECT_GT(control<PasswordField>()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(control<PasswordField>()->horizontalScrollBar()->maximum(), 0)
        << "wraps within the field";

    // The window's own copy of a password is wiped once the field has it.
    QString secret = QString::fromLatin1("k3tz9q");
    const QChar *buffer = secret.constData();
    ShowSecret(*control<PasswordField>(), secret);
    EXPECT_EQ(Password(), "k3tz9q");
    EXPECT_TRUE(secret.isEmpty());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(buffer[i], QChar(0)) << "character " << i << " survives";
}

TEST_F(MainWindowTest, TabFollowsTheLayoutAndOnlyTheFocusedButtonReactsToKeys)
{
    EXPECT_EQ(QApplication::focusWidget(), control<LengthField>());
    QStringList visited;
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited,
              (QStringList{NameOf(GenerateButton), NameOf(ExitButton), NameOf(PasswordField),
                           NameOf(AboutButton), NameOf(LengthField)}));

    // Enter in either field and Esc anywhere start nothing.
    QTest::keyClicks(control<LengthField>(), QStringLiteral("4"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(control<LengthField>(), key);
    QTest::keyClick(control<PasswordField>(), Qt::Key_Return);
    EXPECT_EQ(Figure(), "");
    EXPECT_EQ(Caption(), "Generate Password");

    control<GenerateButton>()->setFocus();
    QTest::keyClick(control<GenerateButton>(), Qt::Key_Space);
    EXPECT_EQ(Figure(), "840");
    control<LengthField>()->setText(QStringLiteral("2"));
    QTest::keyClick(control<GenerateButton>(), Qt::Key_Return);
    EXPECT_EQ(Figure(), "70");

    QTest::keyClick(control<AboutButton>(), Qt::Key_Space);
    ASSERT_NE(window_->aboutWindow(), nullptr);
    EXPECT_TRUE(window_->aboutWindow()->isVisible());
}

TEST_F(MainWindowTest, AFailedSourceSaysSoInFullWithOrWithoutAnEarlierPassword)
{
    // What the screen shows of the password field: the parts Qt repainted.
    const auto onScreen = [this] {
        QTest::qWait(20);
        auto *field = control<PasswordField>();
        return window_->screen()
            ->grabWindow(window_->winId())
            .toImage()
            .copy(QRect(field->pos(), field->size()));
    };
    QImage empty;
    for (const bool earlierPassword : {false, true}) {
        OpenMainWindow();
        empty = onScreen();
        auto source = std::make_unique<zorvane::testing::ScriptedSource>();
        source->failFrom = earlierPassword ? 2 : 1;
        window_->setRandomSource(std::move(source));
        if (earlierPassword)
            Generate(QStringLiteral("6"));
        Generate(QStringLiteral("6"));
        EXPECT_EQ(Password(), "");
        EXPECT_EQ(Figure(), "25200");
        // The sentence's first line reaches well across the field.
        const QImage shown = onScreen();
        int inked = 0;
        for (int x = 0; x < shown.width(); ++x)
            inked += shown.copy(x, 0, 1, 20) != empty.copy(x, 0, 1, 20);
        EXPECT_GT(inked, shown.width() * 2 / 3) << "after an earlier password: " << earlierPassword;
        EXPECT_EQ(Heard(control<PasswordField>(), QAccessible::Description),
                  "No password: the system's random source failed.");
    }
    // Once the source works again, an empty field says nothing.
    window_->setRandomSource(std::make_unique<zorvane::testing::ScriptedSource>());
    Generate(QStringLiteral("6"));
    EXPECT_EQ(Password().size(), 6);
    EXPECT_EQ(Heard(control<PasswordField>(), QAccessible::Description), "");
    Generate(QStringLiteral("0"));
    EXPECT_EQ(onScreen(), empty);
}

TEST_F(MainWindowTest, ExitAsksAndOnlyYesEndsTheProgram)
{
    Generate(QStringLiteral("4"));
    Click(control<AboutButton>());
    const QString password = Password();

    AnswerNextMessageBox(QMessageBox::No, [](QMessageBox &box) {
        EXPECT_EQ(box.text(), "Are you sure you want to quit?");
        EXPECT_EQ(box.windowTitle(), "Zorvane");
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        for (const QAbstractButton *button : box.buttons())
            EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
    });
    Click(control<ExitButton>());

    EXPECT_EQ(programEnds_, 0);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(window_->aboutWindow()->isVisible());
    EXPECT_EQ(control<LengthField>()->text(), "4");
    EXPECT_EQ(Password(), password);
    EXPECT_EQ(Figure(), "840");
    EXPECT_EQ(Caption(), "I want another one!!");

    AnswerNextMessageBox(QMessageBox::Yes);
    Click(control<ExitButton>());
    EXPECT_EQ(programEnds_, 1);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(!window_->aboutWindow() || !window_->aboutWindow()->isVisible());
}

TEST_F(MainWindowTest, AboutShowsOneWindowThatBackHidesAndClosingDestroys)
{
    EXPECT_EQ(window_->aboutWindow(), nullptr) << "created on first need";
    Click(control<AboutButton>());
    Click(control<AboutButton>());
    QPointer<AboutWindow> about = window_->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(window_->findChildren<AboutWindow *>().size(), 1);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isWindow());
    EXPECT_FALSE(about->isModal());

    EXPECT_EQ(about->geometry().center(), about->screen()->availableGeometry().center())
        << "centred";
    Click(about->control<forms::AboutControl::BackButton>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(about.isNull()) << "hidden, not destroyed";
    EXPECT_FALSE(about->isVisible());
    Click(control<AboutButton>());
    EXPECT_EQ(window_->aboutWindow(), about) << "the same window, shown again";
    EXPECT_TRUE(about->isVisible());

    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
    Click(control<AboutButton>());
    ASSERT_NE(window_->aboutWindow(), nullptr) << "made anew";
    EXPECT_TRUE(window_->aboutWindow()->isVisible());
    EXPECT_EQ(window_->findChildren<AboutWindow *>().size(), 1);
    EXPECT_EQ(programEnds_, 0);
}

TEST_F(MainWindowTest, ClosingTheMainWindowAlwaysEndsTheProgram)
{
    // About never opened, shown, hidden.
    for (const int step : {0, 1, 2}) {
        OpenMainWindow();
        if (step > 0)
            Click(control<AboutButton>());
        if (step > 1)
            window_->aboutWindow()->hide();
        QPointer<AboutWindow> about = window_->aboutWindow();

        EXPECT_TRUE(window_->close()) << step;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(programEnds_, 1) << step;
        EXPECT_FALSE(window_->isVisible()) << step;
        EXPECT_TRUE(about.isNull() || !about->isVisible()) << step;
        programEnds_ = 0;
    }
}

TEST_F(MainWindowTest, TheWindowsOwnFocusEventHidesTheAboutWindow)
{
    // With its controls enabled the window itself never takes the focus.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window_.get(), &activate);
    EXPECT_EQ(window_->aboutWindow(), nullptr);

    Click(control<AboutButton>());
    // Any one control that can take the focus keeps it from the window.
    for (QWidget *keep : window_->controls()) {
        if (keep->focusPolicy() == Qt::NoFocus)
            continue;
        for (QWidget *control : window_->controls())
            control->setEnabled(control == keep);
        QApplication::sendEvent(window_.get(), &activate);
        EXPECT_TRUE(window_->aboutWindow()->isVisible()) << keep->objectName().toStdString();
    }
    for (QWidget *control : window_->controls())
        control->setEnabled(false);
    QApplication::sendEvent(window_.get(), &activate);
    ASSERT_NE(window_->aboutWindow(), nullptr);
    EXPECT_FALSE(window_->aboutWindow()->isVisible());
}

} // namespace
} // namespace zorvane::ui
