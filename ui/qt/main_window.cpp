// SPDX-License-Identifier: MIT
#include "main_window.h"

#include "about_window.h"
#include "fonts.h"
#include "generate.h"
#include "pictures.h"
#include "random_source.h"
#include "text.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zorvane::ui {

using enum forms::MainControl;

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      controls_(BuildWindow(*this, forms::kMainWindow,
                            [this](forms::Action action) { Perform(action); })),
      lengthField(controls_.get<LengthField>()), passwordField(controls_.get<PasswordField>()),
      figureLabel(controls_.get<Figure>()), generateButton(controls_.get<GenerateButton>()),
      source_(std::make_unique<SystemRandomSource>()),
      endProgram_([] { QCoreApplication::exit(0); })
{
    setWindowIcon(MainIcon());
    ShowFigure(QString());
    lengthField->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::setEndProgram(std::function<void()> endProgram)
{
    endProgram_ = std::move(endProgram);
}

void MainWindow::setRandomSource(std::unique_ptr<RandomSource> source)
{
    source_ = std::move(source);
}

AboutWindow *MainWindow::aboutWindow() const
{
    return about_;
}

void MainWindow::Perform(forms::Action action)
{
    switch (action) {
    case forms::Action::Generate:
        return OnGenerate();
    case forms::Action::Exit:
        return OnExit();
    case forms::Action::About:
        return OnAbout();
    case forms::Action::Back:
    case forms::Action::None:
        return;
    }
}

void MainWindow::OnGenerate()
{
    GeneratePassword();
}

void MainWindow::GeneratePassword()
{
    const GeneratedTexts texts =
        zorvane::GeneratePassword(lengthField->text().toStdString(), *source_);
    // Before the text changes: Qt 5 decides whether to draw the placeholder
    // when the text changes.
    ShowSourceFailed(texts.sourceFailed);
    QString password = ToQString(texts.password);
    ShowSecret(*passwordField, password);
    ShowFigure(ToQString(texts.figure));
    generateButton->setText(ToQString(forms::kAnotherOneCaption));
    FitCaption(generateButton, forms::ControlFont(forms::kMainWindow, forms::Row(GenerateButton)));
}

// Qt names an unnamed, empty label after its buddy's partner, so an empty figure
// would be heard as its own caption: it is labelled only while it shows a figure.
void MainWindow::ShowFigure(const QString &figure)
{
    figureLabel->setText(figure);
    controls_.get<FigureCaption>()->setBuddy(figure.isEmpty() ? nullptr : figureLabel);
}

// An empty field says why it is empty, to the eye and to a screen reader.
void MainWindow::ShowSourceFailed(bool failed)
{
    const QString why = failed ? ToQString(forms::kSourceFailedText) : QString();
    passwordField->setPlaceholderText(why);
    passwordField->setAccessibleDescription(why);
    // The placeholder is no part of the document, and Qt 6 repaints only what
    // the document changed: nothing, when the field was empty already.
    passwordField->viewport()->update();
}

void MainWindow::OnExit()
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

void MainWindow::OnAbout()
{
    AboutWindow *about = EnsureAboutWindow();
    about->show();
    about->raise();
    about->activateWindow();
}

void MainWindow::OnActivated()
{
    EnsureAboutWindow()->hide();
}

AboutWindow *MainWindow::EnsureAboutWindow()
{
    if (!about_)
        about_ = new AboutWindow(this);
    return about_;
}

bool MainWindow::AnyControlCanTakeFocus() const
{
    const std::vector<QWidget *> &controls = controls_.all();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QWidget *control = controls[i];
        if (forms::kMainWindow.controls[i].TakesFocus() && control->isEnabled() &&
            control->isVisible() && control->focusPolicy() != Qt::NoFocus)
            return true;
    }
    return false;
}

bool MainWindow::event(QEvent *event)
{
    // The window itself receives the focus only when none of its controls can.
    if (event->type() == QEvent::WindowActivate && !AnyControlCanTakeFocus())
        OnActivated();
    return QWidget::event(event);
}

void MainWindow::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    OnActivated();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the main window always ends the program, even when the About
    // window is open or hidden: otherwise nothing could end it.
    event->accept();
    EndProgram();
}

void MainWindow::EndProgram()
{
    if (about_)
        about_->close();
    hide();
    endProgram_();
}

} // namespace zorvane::ui
