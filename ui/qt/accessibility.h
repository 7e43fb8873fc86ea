// SPDX-License-Identifier: MIT
// What screen readers learn beyond what the controls say by themselves: the
// announcement after a request, and no trace of the decoration.
#pragma once

#include "forms/announcement.h"

#include <QWidget>

namespace zorvane::qt {

// Tells a screen reader what a request did without moving the focus. Qt has
// no announcement call on Linux; screen readers speak an object with the
// notification role as it becomes showing, so this invisible child of the
// window shows anew with each announcement.
class Announcer final : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget *window);

    void Announce(const forms::Announcement &announcement);

    // The last announcement's words, and whether it interrupts.
    [[nodiscard]] const QString &text() const { return text_; }
    [[nodiscard]] bool urgent() const { return urgent_; }

private:
    QString text_;
    bool urgent_ = false;
};

// Gives Qt the accessible interfaces of the announcer and of both windows,
// whose decoration (the squares) is no control and stays out of the tree.
// Idempotent; called before the first window is made.
void InstallAccessibleInterfaces();

} // namespace zorvane::qt
