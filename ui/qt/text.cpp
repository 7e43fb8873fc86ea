// SPDX-License-Identifier: MIT
#include "text.h"

#include "wipe.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace zorvane::ui {

void ShowSecret(QPlainTextEdit &field, QString &secret)
{
    // setPlainText would lay the text out twice.
    QTextCursor cursor(field.document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(secret);
    cursor.movePosition(QTextCursor::Start);
    field.setTextCursor(cursor);
    // Should the document share `secret`'s buffer, data() first gives us a
    // copy of our own, and the field keeps its text: only our copy is wiped.
    SecureWipe(secret.data(), static_cast<std::size_t>(secret.size()) * sizeof(QChar));
    secret.truncate(0);
}

} // namespace zorvane::ui
