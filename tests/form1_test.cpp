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

using testing::ControlRow;
using testing::HasPixel;
using testing::PixelsOf;
using testing::Snapshot;

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

TEST_F(Form1Test, ControlsSitWhereTheLayoutPutsThem)
{
    const ControlRow rows[] = {
        {"Label1", 240, 240, 2415, 480, "Number of Characters in the password"},
        {"Shape1", 0, 360, 135, 135, nullptr},
        {"Text1", 2400, 240, 495, 375, ""},
        {"Command3", 3120, 120, 615, 495, "About"},
        {"Label2", 240, 840, 2295, 240, "Number of Combinations"},
        {"Shape2", 0, 840, 135, 135, nullptr},
        {"Label3", 2520, 840, 1215, 360, ""},
        {"Command1", 120, 1320, 1695, 615, "Generate Password"},
        {"Command2", 2280, 1320, 1455, 615, "E x i t"},
        {"Text2", 120, 2040, 3615, 1695, ""},
    };
    EXPECT_EQ(form_->windowTitle(), "Zorvane");
    EXPECT_EQ(form_->size(), QSize(254, 255));
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize()) << "the layout is fixed";
    for (const ControlRow &row : rows) {
        const QWidget *control = Control(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), PixelsOf(row)) << row.name;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << row.name;
        if (!row.caption)
            continue;
        EXPECT_EQ(testing::VisibleText(control), QString::fromUtf8(row.caption)) << row.name;
    }
    EXPECT_EQ(Text1()->accessibleName(), "Number of Characters in the password");

    // Fields and buttons are drawn above labels: Text1 overlaps Label1's box.
    const QPoint overlap = Control("Label1")->geometry().intersected(Text1()->geometry()).center();
    EXPECT_EQ(form_->childAt(overlap), Text1());
}

TEST_F(Form1Test, NamedFontsAreThirteenPixelsAndCaptionsFit)
{
    for (const char *name : {"Label1", "Label2", "Label3", "Command1", "Command2"}) {
        const QFontInfo font(Control(name)->font());
        EXPECT_EQ(font.family(), "MS Sans Serif") << name;
        EXPECT_EQ(font.pixelSize(), 13) << name;
        EXPECT_FALSE(font.bold()) << name;
    }
    Generate(QStringLiteral("1"));
    for (const char *name : {"Command1", "Command2", "Command3"}) {
        const QPushButton *button = Command(name);
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                  button->width() - 6)
            << name << " cuts off \"" << button->text().toStdString() << '"';
    }
    // Label1 wraps onto two lines within its box.
    const QLabel *label1 = Control<QLabel>("Label1");
    const QFontMetrics metrics(label1->font());
    EXPECT_GT(metrics.horizontalAdvance(label1->text()), label1->width());
    EXPECT_LE(label1->heightForWidth(label1->width()), label1->height());
}

TEST_F(Form1Test, PaintsEachColourExactly)
{
    const QImage image = Snapshot(*form_);
    const struct {
        const char *what;
        QPoint at;
        QColor colour;
    } pixels[] = {
        {"background", {252, 253}, QColor(128, 255, 128)},
        {"background between buttons", {130, 100}, QColor(128, 255, 128)},
        {"Shape1", {4, 28}, QColor(255, 0, 0)},
        {"Shape2", {4, 60}, QColor(255, 0, 0)},
        {"Command1 face", {8 + 4, 88 + 4}, QColor(255, 255, 0)},
        {"Command2 face", {152 + 4, 88 + 36}, QColor(255, 128, 128)},
        {"Command3 face", {208 + 4, 8 + 4}, QColor(0, 192, 0)},
    };
    for (const auto &pixel : pixels)
        EXPECT_EQ(image.pixelColor(pixel.at).rgb(), pixel.colour.rgb()) << pixel.what;
    EXPECT_TRUE(HasPixel(image, Control("Label1")->geometry(), QColor(0, 0, 255)));
    EXPECT_TRUE(HasPixel(image, Control("Label2")->geometry(), QColor(0, 0, 255)));

    Generate(QStringLiteral("7"));
    EXPECT_TRUE(HasPixel(Snapshot(*form_), Label3()->geometry(), QColor(255, 0, 0)));
}

TEST_F(Form1Test, FocusStartsInText1AndTabFollowsTheLayout)
{
    EXPECT_EQ(QApplication::focusWidget(), Text1());
    QStringList visited;
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.join(' '), "Command1 Command2 Text2 Command3 Text1");
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

TEST_F(Form1Test, OnlyTheFocusedButtonReactsToTheKeyboard)
{
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

    // A megabyte pasted into the length field is cut to the field's limit.
    Text1()->setText(QString(1 << 20, QLatin1Char('9')));
    QTest::mouseClick(Command("Command1"), Qt::LeftButton);
    EXPECT_EQ(Text2()->toPlainText(), "");
    EXPECT_EQ(Label3()->text(), "Infinity");
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

TEST_F(Form1Test, ExitAnsweredNoChangesNothing)
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
}

TEST_F(Form1Test, ExitAnsweredYesEndsTheProgram)
{
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    AnswerNextMessageBox(QMessageBox::Yes);
    QTest::mouseClick(Command("Command2"), Qt::LeftButton);
    EXPECT_EQ(programEnds_, 1);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(!form_->aboutWindow() || !form_->aboutWindow()->isVisible());
}

TEST_F(Form1Test, AboutShowsOneWindowAndBackHidesIt)
{
    EXPECT_EQ(form_->aboutWindow(), nullptr) << "created on first need";
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    Form2 *about = form_->aboutWindow();
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
    EXPECT_EQ(programEnds_, 0);
}

TEST_F(Form1Test, ClosingTheAboutWindowDestroysIt)
{
    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    QPointer<Form2> first = form_->aboutWindow();
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(programEnds_, 0);

    QTest::mouseClick(Command("Command3"), Qt::LeftButton);
    ASSERT_NE(form_->aboutWindow(), nullptr);
    EXPECT_TRUE(form_->aboutWindow()->isVisible());
    EXPECT_EQ(form_->findChildren<Form2 *>().size(), 1);
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
