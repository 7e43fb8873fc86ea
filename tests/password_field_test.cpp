// SPDX-License-Identifier: MIT
// What leaves the password field: every copy is offered as a secret.
#include "main_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zorvane::ui {
namespace {

using enum forms::MainControl;

// The password in the clipboard's `mode`, if it comes with the secret hint.
QString SecretIn(QClipboard::Mode mode)
{
    const QMimeData *offer = QGuiApplication::clipboard()->mimeData(mode);
    if (!offer || offer->data(QStringLiteral("x-kde-passwordManagerHint")) != "secret")
        return QStringLiteral("(no secret hint)");
    return offer->text();
}

TEST(PasswordFieldTest, EveryCopyOfThePasswordIsMarkedSecret)
{
    MainWindow window;
    window.show();
    window.control<LengthField>()->setText(QStringLiteral("12"));
    window.control<GenerateButton>()->click();
    auto *field = window.control<PasswordField>();
    const QString password = field->toPlainText();
    ASSERT_EQ(password.size(), 12);
    QClipboard *clipboard = QGuiApplication::clipboard();

    // Selecting fills the X11 primary selection where the platform has one;
    // the offscreen platform has none.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (clipboard->supportsSelection()) {
        EXPECT_EQ(SecretIn(QClipboard::Selection), password) << "selecting";
    }

    clipboard->clear();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(SecretIn(QClipboard::Clipboard), password) << "Ctrl+C";

    // A drag offers what the menu's Copy puts on the clipboard.
    clipboard->clear();
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    QAction *copy = menu->findChild<QAction *>(QStringLiteral("edit-copy"));
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    EXPECT_EQ(SecretIn(QClipboard::Clipboard), password) << "the menu's Copy";
}

} // namespace
} // namespace zorvane::ui
