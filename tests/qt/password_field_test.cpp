// SPDX-License-Identifier: MIT
// What goes into the password field, and what leaves it.
#include "main_window_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace zorvane::qt {
namespace {

using PasswordFieldTest = MainWindowTest;

// The text of `offer` if it is plain text with the secret hint and nothing
// else. Other programs see only what formats() lists.
QString SecretIn(const QMimeData *offer)
{
    if (!offer)
        return QStringLiteral("(nothing offered)");
    QStringList formats = offer->formats();
    formats.sort();
    if (formats !=
        QStringList{QStringLiteral("text/plain"), QStringLiteral("x-kde-passwordManagerHint")})
        return QStringLiteral("(offered as %1)").arg(formats.join(QLatin1Char(' ')));
    if (offer->data(QStringLiteral("x-kde-passwordManagerHint")) != "secret")
        return QStringLiteral("(no secret hint)");
    return offer->text();
}

QString SecretIn(QClipboard::Mode mode)
{
    return SecretIn(QGuiApplication::clipboard()->mimeData(mode));
}

TEST_F(PasswordFieldTest, NeitherTypingNorPastingChangesThePassword)
{
    Generate("8");
    const QString password = Password();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("pasted"));
    if (clipboard->supportsSelection())
        clipboard->setText(QStringLiteral("pasted"), QClipboard::Selection);
    Field()->setFocus();
    QTest::keyClick(Field(), Qt::Key_End);
    QTest::keyClicks(Field(), QStringLiteral("typed"));
    QTest::keyClick(Field(), Qt::Key_Backspace);
    QTest::keyClick(Field(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Field(), Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(Field()->viewport(), Qt::MiddleButton);
    EXPECT_EQ(Password(), password);
}

TEST_F(PasswordFieldTest, CopyWithNothingSelectedIsOffAndCopiesNothing)
{
    Generate("8");
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    const std::unique_ptr<QMenu> menu(Field()->createStandardContextMenu());
    EXPECT_FALSE(menu->findChild<QAction *>(QStringLiteral("edit-copy"))->isEnabled());
    Field()->setFocus();
    QTest::keyClick(Field(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

// Also run on an X server, where selecting fills the primary selection.
TEST_F(PasswordFieldTest, EachCopyHoldsExactlyTheSelectionMarkedSecret)
{
    struct Way {
        const char *name;
        QList<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        int from, length; // of the password
        bool byMenu;
    };
    const auto shift = Qt::KeyboardModifiers(Qt::ShiftModifier);
    const auto none = Qt::KeyboardModifiers();
    for (const Way &way :
         {Way{"Shift+Right thrice, Ctrl+C",
              {{Qt::Key_Right, shift}, {Qt::Key_Right, shift}, {Qt::Key_Right, shift}},
              0,
              3,
              false},
          Way{"Shift+End from the third, Ctrl+C",
              {{Qt::Key_Right, none}, {Qt::Key_Right, none}, {Qt::Key_End, shift}},
              2,
              10,
              false},
          Way{"Ctrl+A, the menu's Copy", {{Qt::Key_A, Qt::ControlModifier}}, 0, 12, true}}) {
        SCOPED_TRACE(way.name);
        Generate("12");
        const QString selected = Password().mid(way.from, way.length);
        Field()->setFocus();
        QTest::keyClick(Field(), Qt::Key_Home, Qt::ControlModifier);
        for (const auto &[key, modifiers] : way.keys)
            QTest::keyClick(Field(), key, modifiers);
        if (QGuiApplication::clipboard()->supportsSelection()) {
            EXPECT_EQ(SecretIn(QClipboard::Selection), selected);
        }
        QGuiApplication::clipboard()->clear();
        if (way.byMenu) {
            const std::unique_ptr<QMenu> menu(Field()->createStandardContextMenu());
            menu->findChild<QAction *>(QStringLiteral("edit-copy"))->trigger();
        } else {
            QTest::keyClick(Field(), Qt::Key_C, Qt::ControlModifier);
        }
        EXPECT_EQ(SecretIn(QClipboard::Clipboard), selected);
    }
}

// What a drag carries is made where the clipboard's copy is.
struct DragSource : QPlainTextEdit {
    using QPlainTextEdit::createMimeDataFromSelection;
};

TEST_F(PasswordFieldTest, ADragCarriesTheSelectionMarkedSecret)
{
    Generate("9");
    QTextCursor cursor = Field()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    Field()->setTextCursor(cursor);
    const std::unique_ptr<QMimeData> offer((Field()->*&DragSource::createMimeDataFromSelection)());
    EXPECT_EQ(SecretIn(offer.get()), Password().mid(1, 4));
}

} // namespace
} // namespace zorvane::qt
