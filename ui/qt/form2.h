// SPDX-License-Identifier: MIT
// The About window: two pictures, a few words about the author, and Back.
#pragma once

#include <QWidget>

namespace zorvane::ui {

class Form2 final : public QWidget {
    Q_OBJECT

public:
    // A separate top-level window that stays in front of `owner`.
    explicit Form2(QWidget *owner);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Command1_Click();

    bool placed_ = false;
};

} // namespace zorvane::ui
