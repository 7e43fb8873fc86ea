// SPDX-License-Identifier: MIT
// A main window of its own for each test, its controls found by the names
// automation knows them by.
#pragma once

#include "about_window.h"
#include "main_window.h"
#include "password_field.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace zorvane::qt {

template <typename Widget = QWidget> Widget *Find(const QWidget &window, const char *name)
{
    auto *control =
        window.findChild<Widget *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!control)
        throw std::runtime_error(std::string("no such control: ") + name);
    return control;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { OpenMainWindow(); }
    void TearDown() override
    {
        window_.reset();
        // Windows that closed themselves finish their deferred deletion.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void OpenMainWindow()
    {
        window_ = std::make_unique<MainWindow>();
        window_->setEndProgram([this] { ++programEnds_; });
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    template <typename Widget = QWidget> Widget *Control(const char *name) const
    {
        return Find<Widget>(*window_, name);
    }
    QLineEdit *LengthField() const { return Control<QLineEdit>("Text1"); }
    QLabel *Figure() const { return Control<QLabel>("Label3"); }
    QPushButton *GenerateButton() const { return Control<QPushButton>("Command1"); }
    QPushButton *AboutButton() const { return Control<QPushButton>("Command3"); }
    PasswordField *Field() const { return Control<PasswordField>("Text2"); }
    QString Password() const { return Field()->toPlainText(); }
    AboutWindow *About() const
    {
        return window_->findChild<AboutWindow *>(QString(), Qt::FindDirectChildrenOnly);
    }

    void Generate(const char *length)
    {
        LengthField()->setText(QString::fromLatin1(length));
        QTest::mouseClick(GenerateButton(), Qt::LeftButton);
    }

    std::unique_ptr<MainWindow> window_;
    int programEnds_ = 0;
};

} // namespace zorvane::qt
