// SPDX-License-Identifier: MIT
// The About window: two pictures, a few words about the author, and Back.
#pragma once

#include <QWidget>

namespace zorvane::qt {

class AboutWindow final : public QWidget {
    Q_OBJECT

public:
    // A separate top-level window that stays in front of `owner`.
    explicit AboutWindow(QWidget *owner);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OnBack();

    bool placed_ = false;
};

} // namespace zorvane::qt
