// SPDX-License-Identifier: MIT
#include "form1.h"

#include "appearance.h"
#include "form2.h"
#include "generate.h"
#include "geometry.h"
#include "random_source.h"
#include "resources.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextOption>

#include <array>
#include <string_view>

namespace zorvane::ui {
namespace {

// The core's texts are ASCII.
QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      Label1(new QLabel(this)), Shape1(new Marker(QColor(255, 0, 0), this)),
      Text1(new QLineEdit(this)), Command3(new QPushButton(this)), Label2(new QLabel(this)),
      Shape2(new Marker(QColor(255, 0, 0), this)), Label3(new QLabel(this)),
      Command1(new QPushButton(this)), Command2(new QPushButton(this)),
      Text2(new QPlainTextEdit(this)), source_(std::make_unique<SystemRandomSource>()),
      endProgram_([] { QCoreApplication::exit(0); })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    setWindowIcon(MainIcon());
    SetBackground(this, QColor(128, 255, 128));
    setFont(SansSerifFont());
    setFixedSize(TwipsSize(3810, 3825));

    const QColor blue(0, 0, 255);
    Label1->setText(tr("Number of Characters in the password"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(Label1, blue);

    Label2->setText(tr("Number of Combinations"));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(Label2, blue);

    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(Label3, QColor(255, 0, 0));

    // Label3 holds only a number; its name tells a screen reader what it counts.
    Label3->setAccessibleName(tr("Number of Combinations"));
    Label1->setAccessibleName(Label1->text());
    Label2->setAccessibleName(Label2->text());
    Shape1->setAccessibleName(tr("Marker"));
    Shape2->setAccessibleName(tr("Marker"));

    Text1->setAccessibleName(Label1->text());
    Text2->setAccessibleName(tr("Generated password"));
    Text2->setReadOnly(true);
    Text2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text2->setTabChangesFocus(true);
    Text2->setUndoRedoEnabled(false);
    // Passwords have no spaces: wrap anywhere so a long one stays readable.
    Text2->setWordWrapMode(QTextOption::WrapAnywhere);
    // Plain ASCII needs no shaping; skipping it halves the layout of a long password.
    QFont passwordFont = SansSerifFont();
    passwordFont.setKerning(false);
    passwordFont.setStyleStrategy(QFont::PreferNoShaping);
    Text2->setFont(passwordFont);

    Command1->setText(Latin1(kGenerateCaption));
    Command1->setAccessibleName(tr("Generate Password"));
    SetButtonFace(Command1, QColor(255, 255, 0));
    Command2->setText(QStringLiteral("E x i t"));
    Command2->setAccessibleName(tr("Exit")); // spelt out, the caption reads as four letters
    SetButtonFace(Command2, QColor(255, 128, 128));
    Command3->setText(tr("About"));
    Command3->setAccessibleName(tr("About"));
    SetButtonFace(Command3, QColor(0, 192, 0));
    for (QPushButton *button : {Command1, Command2, Command3}) {
        // No default button: Enter presses only the button that has the focus.
        button->setAutoDefault(true);
        button->setDefault(false);
    }

    const std::array<Placement, 10> layout{{
        {Label1, "Label1", 240, 240, 2415, 480},
        {Shape1, "Shape1", 0, 360, 135, 135},
        {Text1, "Text1", 2400, 240, 495, 375},
        {Command3, "Command3", 3120, 120, 615, 495},
        {Label2, "Label2", 240, 840, 2295, 240},
        {Shape2, "Shape2", 0, 840, 135, 135},
        {Label3, "Label3", 2520, 840, 1215, 360},
        {Command1, "Command1", 120, 1320, 1695, 615},
        {Command2, "Command2", 2280, 1320, 1455, 615},
        {Text2, "Text2", 120, 2040, 3615, 1695},
    }};
    Place(layout);
    FitCaption(Command1, SansSerifFont());
    FitCaption(Command2, SansSerifFont());
    FitCaption(Command3, SansSerifFont());

    // Fields and buttons above labels and markers; Text1 overlaps Label1.
    const std::array<QWidget *, 5> onTop{Text1, Text2, Command1, Command2, Command3};
    for (QWidget *control : onTop)
        control->raise();

    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Text2);
    setTabOrder(Text2, Command3);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
}

Form1::~Form1() = default;

void Form1::setEndProgram(std::function<void()> endProgram)
{
    endProgram_ = std::move(endProgram);
}

void Form1::setRandomSource(std::unique_ptr<RandomSource> source)
{
    source_ = std::move(source);
}

Form2 *Form1::aboutWindow() const
{
    return form2_;
}

void Form1::Command1_Click()
{
    GeneratePassword();
}

void Form1::GeneratePassword()
{
    const GeneratedTexts texts = zorvane::GeneratePassword(Text1->text().toStdString(), *source_);
    // Replacing the text through one cursor edit lays the password out once;
    // setPlainText would lay it out twice.
    QTextCursor cursor(Text2->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(Latin1(texts.password));
    cursor.movePosition(QTextCursor::Start);
    Text2->setTextCursor(cursor);
    Text2->setPlaceholderText(
        texts.sourceFailed ? tr("No password: the system's random source failed.") : QString());
    Label3->setText(Latin1(texts.figure));
    Command1->setText(Latin1(texts.caption));
    FitCaption(Command1, SansSerifFont());
}

void Form1::Command2_Click()
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle),
                    tr("Are you sure you want to quit?"), QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::Yes);
    // Some styles decorate dialog buttons with icons; this box has none.
    for (QAbstractButton *button : box.buttons())
        button->setIcon(QIcon());
    if (box.exec() == QMessageBox::Yes)
        EndProgram();
}

void Form1::Command3_Click()
{
    Form2 *about = EnsureForm2();
    about->show();
    about->raise();
    about->activateWindow();
}

void Form1::Form_GotFocus()
{
    EnsureForm2()->hide();
}

Form2 *Form1::EnsureForm2()
{
    if (!form2_)
        form2_ = new Form2(this);
    return form2_;
}

bool Form1::AnyControlCanTakeFocus() const
{
    const std::array<const QWidget *, 5> controls{Text1, Text2, Command1, Command2, Command3};
    for (const QWidget *control : controls) {
        if (control->isEnabled() && control->isVisible() && control->focusPolicy() != Qt::NoFocus)
            return true;
    }
    return false;
}

bool Form1::event(QEvent *event)
{
    // The window itself receives the focus only when none of its controls can.
    if (event->type() == QEvent::WindowActivate && !AnyControlCanTakeFocus())
        Form_GotFocus();
    return QWidget::event(event);
}

void Form1::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    Form_GotFocus();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window always ends the program, even when the About
    // window is open or hidden: otherwise nothing could end it.
    event->accept();
    EndProgram();
}

void Form1::EndProgram()
{
    if (form2_)
        form2_->close();
    hide();
    endProgram_();
}

} // namespace zorvane::ui
