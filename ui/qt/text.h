// SPDX-License-Identifier: MIT
// Texts between the model's UTF-8 and Qt, and the one secret text the program shows.
#pragma once

#include <QPlainTextEdit>
#include <QString>

#include <string_view>

namespace zorvane::ui {

inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// The password field. Every copy of its text, by the menu, the keyboard, a drag
// or the selection that selecting fills, is marked as a secret, which
// clipboard managers and histories leave out.
class SecretField final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    [[nodiscard]] QMimeData *createMimeDataFromSelection() const override;
};

// Replaces everything in `field` with `secret`, in one edit that lays the text
// out once, then zeroes the characters `secret` held and leaves it empty: the
// field's copy is the only one left.
void ShowSecret(QPlainTextEdit &field, QString &secret);

} // namespace zorvane::ui
