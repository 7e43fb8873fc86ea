// SPDX-License-Identifier: MIT
// The main window: the length field, Generate, the password and its figure.
#pragma once

#include "builder.h"
#include "forms/main_window.h"
#include "text.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace zorvane {
class RandomSource;
}

namespace zorvane::ui {

class AboutWindow;

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

    // The About window, if it exists.
    [[nodiscard]] AboutWindow *aboutWindow() const;

    // The control `id`, as the widget its kind is built as.
    template <forms::MainControl id> [[nodiscard]] auto *control() const
    {
        return controls_.get<id>();
    }
    // Every control, in the table's order.
    [[nodiscard]] const std::vector<QWidget *> &controls() const { return controls_.all(); }

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Perform(forms::Action action);
    void OnGenerate();
    void OnExit();
    void OnAbout();
    void OnActivated();

    void GeneratePassword();
    void ShowSourceFailed(bool failed);
    void ShowFigure(const QString &figure);
    AboutWindow *EnsureAboutWindow();
    [[nodiscard]] bool AnyControlCanTakeFocus() const;
    void EndProgram();

    const Controls<forms::MainControl> controls_;
    // The controls a request or a handler touches; the window owns them all.
    QLineEdit *const lengthField;
    SecretField *const passwordField;
    QLabel *const figureLabel;
    QPushButton *const generateButton;

    QPointer<AboutWindow> about_;
    std::unique_ptr<RandomSource> source_;
    std::function<void()> endProgram_;
};

} // namespace zorvane::ui
