// SPDX-License-Identifier: MIT
// The password field: shows one password at a time, leaves no other copy of
// it behind, and marks every copy taken from it private.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace zorvane::qt {

// Read-only, selectable, wrapping anywhere. Every copy of its text, by the
// menu, the keyboard, a drag or the selection that selecting fills, is marked
// as a secret, which clipboard managers and histories leave out.
class PasswordField final : public QPlainTextEdit {
public:
    explicit PasswordField(QWidget *parent);

    // Replaces everything with `password`, in one edit that lays the text out
    // once, then zeroes the characters `password` held and leaves it empty:
    // the field's copy is the only one left. While the field is empty it shows
    // `whyEmpty`, and a screen reader hears it as the field's description.
    void ShowPassword(QString &password, const QString &whyEmpty);

protected:
    [[nodiscard]] QMimeData *createMimeDataFromSelection() const override;
};

} // namespace zorvane::qt
