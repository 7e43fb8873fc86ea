// SPDX-License-Identifier: MIT
#include "password_field.h"

#include "wipe.h"

#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextOption>

namespace zorvane::qt {

PasswordField::PasswordField(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    // Passwords have no spaces: wrap anywhere so a long one stays readable.
    setWordWrapMode(QTextOption::WrapAnywhere);
}

void PasswordField::ShowPassword(QString &password, const QString &whyEmpty)
{
    // Before the text changes: Qt 5 decides whether to draw the placeholder
    // when the text changes.
    setPlaceholderText(whyEmpty);
    setAccessibleDescription(whyEmpty);
    // The placeholder is no part of the document, and Qt 6 repaints only what
    // the document changed: nothing, when the field was empty already.
    viewport()->update();

    // A document only ever appends to its buffer, and frees what it no longer
    // shows without clearing it: one reused document would keep every password
    // of the session. A fresh one per password holds only that one.
    const QPointer<QTextDocument> old = document();
    auto *fresh = new QTextDocument(this);
    fresh->setUndoRedoEnabled(false);
    fresh->setDocumentLayout(new QPlainTextDocumentLayout(fresh));
    fresh->setDefaultFont(old->defaultFont());
    fresh->setDefaultTextOption(old->defaultTextOption());
    QTextCursor(fresh).insertText(password);
    // The field deletes only the document it started with.
    setDocument(fresh);
    delete old;
    // Should the document share `password`'s buffer, data() first gives us a
    // copy of our own, and the field keeps its text: only our copy is wiped.
    SecureWipe(password.data(), static_cast<std::size_t>(password.size()) * sizeof(QChar));
    password.truncate(0);
}

// The selection, the clipboard and a drag all take their offer from here.
QMimeData *PasswordField::createMimeDataFromSelection() const
{
    // A fresh offer of plain text: the editor's own lists a fixed set of rich
    // formats and leaves out any other, the hint among them, and a secret
    // needs no rich text anyway.
    auto *offer = new QMimeData;
    offer->setText(textCursor().selection().toPlainText());
    // The hint KDE's clipboard manager, and others after it, honour.
    offer->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    return offer;
}

} // namespace zorvane::qt
