// SPDX-License-Identifier: MIT
#include "form1.h"

#include "appearance.h"
#include "form2.h"
#include "random_source.h"
#include "symbols.h"
#include "ui_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace zorvane::ui {
namespace {

using testing::HasPixel;

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override { OpenMainWindow(); }

    void OpenMainWindow()
    {
        form_ = std::make_unique<Form1>();
        form_->setEndProgram([this] { ++programEnds_; });
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }

    void TearDown() override
    {
        form_.reset();
        // Let windows that closed themselves finish their deferred deletion.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename T = QWidget> T *Control(const char *name) const
    {
        return testing::FindControl<T>(*form_, name);
    }

    QLineEdit *Text1() const { return Control<QLineEdit>("Text1"); }
    QPlainTextEdit *Text2() const { return Control<QPlainTextEdit>("Text2"); }
    QLabel *Label3() const { return Control<QLabel>("Label3"); }
    QPushButton *Command(const char *name) const { return Control<QPushButton>(name); }

    void Generate(const QString &length)
    {
        Text1()->setText(length);
        QTest::mouseClick(Command("Command1"), Qt::LeftButton);
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

    std::unique_ptr<Form1> form_;
    int programEnds_ = 0;
};

TEST_F(Form1Test, LooksAsDescribed)
{
    EXPECT_EQ(form_->windowTitle(), "Zorvane");
    EXPECT_EQ(form_->size(), QSize(254, 255));
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize()) << "the layout is fixed";
    Generate(QStringLiteral("7")); // Label3 shows nothing until a request
    testing::ExpectDescribedColours(*form_, forms::kForm1);

    // Fields and buttons are drawn above labels: Text1 overlaps Label1's box.
    const QPoint overlap = Control("Label1")->geometry().intersected(Text1()->geometry()).center();
    EXPECT_EQ(form_->childAt(overlap), Text1());
}

TEST_F(Form1Test, CaptionsShowWholeInTheIntendedFaces)
{
    const QFontInfo face(Command("Command1")->font());
    EXPECT_EQ(face.family(), "MS Sans Serif");
    EXPECT_EQ(face.pixelSize(), 13);
    Generate(QStringLiteral("1"));
    for (const char *name : {"Command1", "Command2", "Command3"}) {
        const QPushButton *button = Command(name);
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                  button->width() - 6)
            << name << " cuts off \"" << button->text().toStdString() << '"';
    }
    // Label1 wraps onto two lines within its box.
    const QLabel *label1 = Control<QLabel>("Label1");
    EXPECT_GT(QFontMetrics(label1->font()).horizontalAdvance(label1->text()), label1->width());
    EXPECT_LE(label1->heightForWidth(label1->width()), label1->height());
}

TEST_F(Form1Test, AScreenReaderHearsWhatTheWindowShows)
{
    using testing::AccessibleName;
    using testing::LabelledBy;
    EXPECT_EQ(AccessibleName(Text1()), "Number of Characters in the password");
    EXPECT_EQ(LabelledBy(Text1()), QStringList{"Label1"});
    EXPECT_EQ(AccessibleName(Command("Command2")), "Exit");
    EXPECT_EQ(AccessibleName(Command("Command3")), "About");
    EXPECT_EQ(AccessibleName(Text2()), "Password");

    Generate(QStringLiteral("5"));
    // The figure itself is heard, with its label as context; the button's
    // name follows its new caption.
    EXPECT_EQ(AccessibleName(Label3()), "4200");
    EXPECT_EQ(LabelledBy(Label3()), QStringList{"Label2"});
    EXPECT_EQ(AccessibleName(Command("Command1")), "I want another one!!");
    Generate(QStringLiteral("7"));
    EXPECT_EQ(AccessibleName(Label3()), "Infinity");
}

TEST_F(Form1Test, GenerateClickFillsTheThreeTexts)
{
    QTest::keyClicks(Text1(), QStringLiteral("5"));
    QTest::mouseClick(Command("Command1"), Qt::LeftButton);
    const std::string password = Text2()->toPlainText().toStdString();
    ASSERT_EQ(password.size(), 5u);
    EXPECT_NE(LeadLetterTable.find(password[0]), std::string_view::npos);
    EXPECT_EQ(password.find_first_not_of(SymbolTable), std::string::npos);
    EXPECT_EQ(Label3()->text(), "4200");
    EXPECT_EQ(Command("Command1")->text(), "I want another one!!");
    EXPECT_EQ(Text1()->text(), "5") << "the length is never changed";

    // Works the same once the caption has changed; replaces, never appends.
    Generate(QStringLiteral("8"));
    EXPECT_EQ(Label3()->text(), "Infinity");
    Generate(QStringLiteral("3"));
    EXPECT_EQ(Label3()->text(), "210");
    EXPECT_EQ(Text2()->toPlainText().size(), 3);
    EXPECT_EQ(Command("Command1")->text(), "I want another one!!");
}

TEST_F(Form1Test, TabFollowsTheLayoutAndOnlyTheFocusedButtonReactsToKeys)
{
    EXPECT_EQ(QApplication::focusWidget(), Text1());
    QStringList visited;
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.join(' '), "Command1 Command2 Text2 Command3 Text1");

    // Enter in either field and Esc anywhere start nothing.
    QTest::keyClicks(Text1(), QStringLiteral("4"));
    QTest::keyClick(Text1(), Qt::Key_Return);
    QTest::keyClick(Text1(), Qt::Key_Enter);
    QTest::keyClick(Text1(), Qt::Key_Escape);
    QTest::keyClick(Text2(), Qt::Key_Return);
    EXPECT_EQ(Label3()->text(), "");
    EXPECT_EQ(Command("Command1")->text(), "Generate Password");

    Command("Command1")->setFocus();
    QTest::keyClick(Command("Command1"), Qt::Key_Space);
    EXPECT_EQ(Label3()->text(), "840");
    Text1()->setText(QStringLiteral("2"));
    QTest::keyClick(Command("Command1"), Qt::Key_Return);
    EXPECT_EQ(Label3()->text(), "70");

    QTest::keyClick(Command("Command3"), Qt::Key_Space);
    ASSERT_NE(form_->aboutWindow(), nullptr);
    EXPECT_TRUE(form_->aboutWindow()->isVisible());
}

TEST_F(Form1Test, ShowsALongPasswordWrappedAndScrollable)
{
    Generate(QStringLiteral("32767"));
    EXPECT_EQ(Text2()->toPlainText().size(), 32767);
    EXPECT_EQ(Label3()->text(), "Infinity");
    EXPECT_GT(Text2()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(Text2()->horizontalScrollBar()->maximum(), 0) << "wraps within the field";
}

TEST_F(Form1Test, AFailedRandomSourceShowsNoPassword)
{
    struct Failing final : RandomSource {
        bool Fill(std::span<std::uint8_t>) override { return false; }
    };
    Generate(QStringLiteral("6"));
    form_->setRandomSource(std::make_unique<Failing>());
    Generate(QStringLiteral("6"));
    EXPECT_EQ(Text2()->toPlainText(), "");
    EXPECT_FALSE(Text2()->placeholderText().isEmpty()) << "says why the field is empty";
    EXPECT_EQ(Label3()->text(), "25200");
}

TEST_F(Form1Test, ExitAsksAndOnlyYesEndsTheProgram)
{
    Generate(QStringLiteral("4"));
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    const QString password = Text2()->toPlainText();

    AnswerNextMessageBox(QMessageBox::No, [](QMessageBox &box) {
        EXPECT_EQ(box.text(), "Are you sure you want to quit?");
        EXPECT_EQ(box.windowTitle(), "Zorvane");
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        for (const QAbstractButton *button : box.buttons())
            EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
    });
    QTest::mouseClick(Command("Command2"), Qt::LeftButton);

    EXPECT_EQ(programEnds_, 0);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_TRUE(form_->aboutWindow()->isVisible());
    EXPECT_EQ(Text1()->text(), "4");
    EXPECT_EQ(Text2()->toPlainText(), password);
    EXPECT_EQ(Label3()->text(), "840");
    EXPECT_EQ(Command("Command1")->text(), "I want another one!!");

    AnswerNextMessageBox(QMessageBox::Yes);
    QTest::mouseClick(Command("Command2"), Qt::LeftButton);
    EXPECT_EQ(programEnds_, 1);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(!form_->aboutWindow() || !form_->aboutWindow()->isVisible());
}

TEST_F(Form1Test, AboutShowsOneWindowThatBackHidesAndClosingDestroys)
{
    EXPECT_EQ(form_->aboutWindow(), nullptr) << "created on first need";
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    QPointer<Form2> about = form_->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(form_->findChildren<Form2 *>().size(), 1);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isWindow());
    EXPECT_FALSE(about->isModal());

    QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    EXPECT_EQ(form_->aboutWindow(), about) << "the same window, shown again";
    EXPECT_TRUE(about->isVisible());

    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    ASSERT_NE(form_->aboutWindow(), nullptr) << "made anew";
    EXPECT_TRUE(form_->aboutWindow()->isVisible());
    EXPECT_EQ(form_->findChildren<Form2 *>().size(), 1);
    EXPECT_EQ(programEnds_, 0);
}

TEST_F(Form1Test, ClosingTheMainWindowAlwaysEndsTheProgram)
{
    const struct {
        const char *situation;
        bool openAbout;
        bool hideAbout;
    } cases[] = {
        {"About never opened", false, false},
        {"About shown", true, false},
        {"About hidden", true, true},
    };
    for (const auto &c : cases) {
        OpenMainWindow();
        if (c.openAbout)
            QTest::mouseClick(Command("Command3"), Qt::LeftButton);
        if (c.hideAbout)
            form_->aboutWindow()->hide();
        QPointer<Form2> about = form_->aboutWindow();

        EXPECT_TRUE(form_->close()) << c.situation;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(programEnds_, 1) << c.situation;
        EXPECT_FALSE(form_->isVisible()) << c.situation;
        EXPECT_TRUE(about.isNull() || !about->isVisible()) << c.situation;
        programEnds_ = 0;
    }
}

TEST_F(Form1Test, TheWindowsOwnFocusEventHidesTheAboutWindow)
{
    // With its controls enabled the window itself never takes the focus.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form_.get(), &activate);
    EXPECT_EQ(form_->aboutWindow(), nullptr);

    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    for (QWidget *control :
         {static_cast<QWidget *>(Text1()), static_cast<QWidget *>(Text2()),
          static_cast<QWidget *>(Command("Command1")), static_cast<QWidget *>(Command("Command2")),
          static_cast<QWidget *>(Command("Command3"))})
        control->setEnabled(false);
    QApplication::sendEvent(form_.get(), &activate);
    ASSERT_NE(form_->aboutWindow(), nullptr);
    EXPECT_FALSE(form_->aboutWindow()->isVisible());
}

TEST(FitCaption, ShrinksOnlyACaptionThatWouldBeCutOff)
{
    // A wide stand-in face, as where the intended faces are missing.
    QFont wide(QStringLiteral("DejaVu Sans"));
    wide.setPixelSize(13);
    QPushButton button(QStringLiteral("I want another one!!"));
    button.resize(113, 41);
    ASSERT_GT(QFontMetrics(wide).horizontalAdvance(button.text()), button.width())
        << "the stand-in face should be too wide for this test to mean anything";
    FitCaption(&button, wide);
    EXPECT_LE(QFontMetrics(button.font()).horizontalAdvance(button.text()), button.width() - 6);

    button.setText(QStringLiteral("About"));
    FitCaption(&button, wide);
    EXPECT_EQ(button.font().pixelSize(), 13);
}

} // namespace
} // namespace zorvane::ui
