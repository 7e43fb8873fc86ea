// SPDX-License-Identifier: MIT
#include "text.h"

#include "wipe.h"

#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>

namespace zorvane::ui {

QMimeData *SecretField::createMimeDataFromSelection() const
{
    QMimeData *offer = QPlainTextEdit::createMimeDataFromSelection();
    // The hint KDE's clipboard manager, and others after it, honour.
    offer->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    return offer;
}

void ShowSecret(QPlainTextEdit &field, QString &secret)
{
    // A document only ever appends to its buffer, and frees what it no longer
    // shows without clearing it: one reused document would keep every password
    // of the session. A fresh one per password holds only that one.
    const QPointer<QTextDocument> old = field.document();
    auto *document = new QTextDocument(&field);
    document->setUndoRedoEnabled(false);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(old->defaultFont());
    document->setDefaultTextOption(old->defaultTextOption());
    QTextCursor(document).insertText(secret);
    // The field deletes only the document it started with.
    field.setDocument(document);
    delete old;
    // Should the document share `secret`'s buffer, data() first gives us a
    // copy of our own, and the field keeps its text: only our copy is wiped.
    SecureWipe(secret.data(), static_cast<std::size_t>(secret.size()) * sizeof(QChar));
    secret.truncate(0);
}

} // namespace zorvane::ui
