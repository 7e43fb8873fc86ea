// SPDX-License-Identifier: MIT
#include "form1.h"

#include "appearance.h"
#include "form2.h"
#include "forms.h"
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

#include <array>

namespace zorvane::ui {

Form1::Form1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      source_(std::make_unique<SystemRandomSource>()),
      endProgram_([] { QCoreApplication::exit(0); })
{
    BuildWindow(*this, forms::kForm1);
    setWindowIcon(MainIcon());
    Text1 = Control<QLineEdit>(*this, "Text1");
    Text2 = Control<QPlainTextEdit>(*this, "Text2");
    Label3 = Control<QLabel>(*this, "Label3");
    Command1 = Control<QPushButton>(*this, "Command1");
    Command2 = Control<QPushButton>(*this, "Command2");
    Command3 = Control<QPushButton>(*this, "Command3");

    // Plain ASCII needs no shaping; skipping it halves the layout of a long password.
    QFont passwordFont = Text2->font();
    passwordFont.setKerning(false);
    passwordFont.setStyleStrategy(QFont::PreferNoShaping);
    Text2->setFont(passwordFont);
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
    cursor.insertText(ToQString(texts.password));
    cursor.movePosition(QTextCursor::Start);
    Text2->setTextCursor(cursor);
    Text2->setPlaceholderText(texts.sourceFailed ? ToQString(forms::kSourceFailedText) : QString());
    Label3->setText(ToQString(texts.figure));
    Command1->setText(ToQString(texts.caption));
    static const QFont captionFont =
        FontOf(forms::ControlFont(forms::kForm1, *forms::FindControl(forms::kForm1, "Command1")));
    FitCaption(Command1, captionFont);
}

void Form1::Command2_Click()
{
    QMessageBox box(QMessageBox::NoIcon, ToQString(forms::kApplicationTitle),
                    ToQString(forms::kQuitQuestion), QMessageBox::Yes | QMessageBox::No, this);
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
