// SPDX-License-Identifier: MIT
// The main window: the length field, Generate, the password and its figure.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvane {
class RandomSource;
}

namespace zorvane::qt {

class AboutWindow;
class Announcer;
class PasswordField;

class MainWindow final : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // How the program ends; by default the event loop stops at once. Tests
    // replace it so that their process survives.
    void setEndProgram(std::function<void()> endProgram);
    // Where passwords come from; the operating system's source by default.
    void setRandomSource(std::unique_ptr<RandomSource> source);

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void OnGenerate();
    void OnExit();
    void OnAbout();
    void OnWindowFocused();

    AboutWindow *EnsureAboutWindow();
    [[nodiscard]] bool AnyControlCanTakeFocus() const;
    void EndProgram();

    // The controls the handlers touch; the window owns them all.
    QLineEdit *lengthField_ = nullptr;
    QPushButton *generateButton_ = nullptr;
    PasswordField *passwordField_ = nullptr;
    QLabel *figure_ = nullptr;
    QLabel *figureCaption_ = nullptr;
    Announcer *announcer_ = nullptr;

    QPointer<AboutWindow> about_;
    std::unique_ptr<RandomSource> source_;
    std::function<void()> endProgram_;
};

} // namespace zorvane::qt
