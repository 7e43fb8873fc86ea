// SPDX-License-Identifier: MIT
#include "main_window.h"

#include "about_window.h"
#include "accessibility.h"
#include "fonts.h"
#include "forms/announcement.h"
#include "forms/main_window.h"
#include "generate.h"
#include "password_field.h"
#include "pictures.h"
#include "random_source.h"
#include "text.h"
#include "window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace zorvane::qt {

using Id = forms::MainControl;

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      source_(std::make_unique<SystemRandomSource>()),
      endProgram_([] { QCoreApplication::exit(0); })
{
    const std::vector<QWidget *> controls = BuildWindow(*this, forms::kMainWindow);
    const auto control = [&controls](Id id) {
        return controls[static_cast<std::size_t>(forms::Index(id))];
    };
    lengthField_ = static_cast<QLineEdit *>(control(Id::LengthField));
    generateButton_ = static_cast<QPushButton *>(control(Id::GenerateButton));
    passwordField_ = static_cast<PasswordField *>(control(Id::PasswordField));
    figure_ = static_cast<QLabel *>(control(Id::Figure));
    figureCaption_ = static_cast<QLabel *>(control(Id::FigureCaption));

    connect(generateButton_, &QPushButton::clicked, this, &MainWindow::OnGenerate);
    connect(static_cast<QPushButton *>(control(Id::ExitButton)), &QPushButton::clicked, this,
            &MainWindow::OnExit);
    connect(static_cast<QPushButton *>(control(Id::AboutButton)), &QPushButton::clicked, this,
            &MainWindow::OnAbout);

    announcer_ = new Announcer(this);

    // The figure is empty until the first request; see OnGenerate.
    figureCaption_->setBuddy(nullptr);
    setWindowIcon(MainIcon());
    lengthField_->setFocus();
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

// The whole of a request: the core computes the texts, and the window shows them.
void MainWindow::OnGenerate()
{
    const GeneratedTexts texts =
        zorvane::GeneratePassword(lengthField_->text().toStdString(), *source_);

    QString password = ToQString(texts.password);
    // An empty field says why it is empty, to the eye and to a screen reader.
    passwordField_->ShowPassword(password, texts.sourceFailed ? ToQString(forms::kSourceFailedText)
                                                              : QString());

    const QString figure = ToQString(texts.figure);
    figure_->setText(figure);
    // Qt names an unnamed, empty label after its buddy's partner, so an empty figure
    // would be heard as its own caption: it is labelled only while it shows a figure.
    figureCaption_->setBuddy(figure.isEmpty() ? nullptr : figure_);

    generateButton_->setText(ToQString(forms::kAnotherOneCaption));
    FitCaption(generateButton_,
               forms::ControlFont(forms::kMainWindow, forms::Row(Id::GenerateButton)));

    // The focus stays on the button; a screen reader hears what happened.
    announcer_->Announce(
        forms::AnnouncementAfter(texts.password.size(), texts.figure, texts.sourceFailed));
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

void MainWindow::OnWindowFocused()
{
    EnsureAboutWindow()->hide();
}

AboutWindow *MainWindow::EnsureAboutWindow()
{
    if (!about_)
        about_ = new AboutWindow(this);
    return about_;
}

// Its controls are its only children that are not windows themselves: the
// About window and the exit question are.
bool MainWindow::AnyControlCanTakeFocus() const
{
    for (const QWidget *control : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (!control->isWindow() && control->isEnabled() && control->isVisible() &&
            control->focusPolicy() != Qt::NoFocus)
            return true;
    return false;
}

bool MainWindow::event(QEvent *event)
{
    // The window itself receives the focus only when none of its controls can.
    if (event->type() == QEvent::WindowActivate && !AnyControlCanTakeFocus())
        OnWindowFocused();
    return QWidget::event(event);
}

void MainWindow::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    OnWindowFocused();
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

} // namespace zorvane::qt
