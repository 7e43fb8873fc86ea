// SPDX-License-Identifier: MIT
// The main window: the length field, Generate, the password and its figure.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zorvane {
class RandomSource;
}

namespace zorvane::ui {

class Form2;

class Form1 final : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // How the program ends; by default the event loop stops at once. Tests
    // replace it so that their process survives.
    void setEndProgram(std::function<void()> endProgram);
    // Where passwords come from; the operating system's source by default.
    void setRandomSource(std::unique_ptr<RandomSource> source);

    // The About window, if it exists.
    [[nodiscard]] Form2 *aboutWindow() const;

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_GotFocus();

    void GeneratePassword();
    Form2 *EnsureForm2();
    [[nodiscard]] bool AnyControlCanTakeFocus() const;
    void EndProgram();

    // The controls a request or a handler touches; the window owns them all.
    QLineEdit *Text1;
    QPlainTextEdit *Text2;
    QLabel *Label3;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;

    QPointer<Form2> form2_;
    std::unique_ptr<RandomSource> source_;
    std::function<void()> endProgram_;
};

} // namespace zorvane::ui
