// SPDX-License-Identifier: MIT
// The About window: two pictures, a few words about the author, and Back.
#pragma once

#include "builder.h"
#include "forms/about_window.h"

#include <QWidget>

namespace zorvane::ui {

class AboutWindow final : public QWidget {
    Q_OBJECT

public:
    // A separate top-level window that stays in front of `owner`.
    explicit AboutWindow(QWidget *owner);

    // The control `id`, as the widget its kind is built as.
    template <forms::AboutControl id> [[nodiscard]] auto *control() const
    {
        return controls_.get<id>();
    }
    // Every control, in the table's order.
    [[nodiscard]] const std::vector<QWidget *> &controls() const { return controls_.all(); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Perform(forms::Action action);
    void OnBack();

    const Controls<forms::AboutControl> controls_;
    bool placed_ = false;
};

} // namespace zorvane::ui
