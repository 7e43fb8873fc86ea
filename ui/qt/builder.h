// SPDX-License-Identifier: MIT
// Creating a window's controls from its table, and finding them again by the
// window's own enum of controls.
#pragma once

#include "forms/model.h"

#include <QWidget>

#include <cstddef>
#include <functional>
#include <tuple>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zorvane::ui {

class Marker;
class SecretField;

// The widget each kind of control is built as, in the order of forms::Kind.
template <forms::Kind kind>
using WidgetOf =
    std::tuple_element_t<static_cast<std::size_t>(kind),
                         std::tuple<QLabel, Marker, QLineEdit, SecretField, QPushButton, QLabel>>;
static_assert(static_cast<int>(forms::Kind::Picture) == 5);

// What a window does when one of its buttons is pressed.
using ActionHandler = std::function<void(forms::Action)>;

// Gives `window` its title, background, font and fixed size, and creates every
// control of `description` in it: named, placed, coloured, captioned, stacked,
// chained in focus order, labelled for screen readers, and each button wired to
// `onAction` with its action. Returns the controls in the table's order.
std::vector<QWidget *> BuildWindow(QWidget &window, const forms::Window &description,
                                   const ActionHandler &onAction);

// A window's controls by the window's enum `Id`, each typed as the widget the
// kind in its table row is built as.
template <typename Id> class Controls {
public:
    explicit Controls(std::vector<QWidget *> widgets) : widgets_(std::move(widgets)) {}

    template <Id id> [[nodiscard]] auto *get() const
    {
        using Widget = WidgetOf<Row(id).kind>;
        return static_cast<Widget *>(widgets_[static_cast<std::size_t>(forms::Index(id))]);
    }

    [[nodiscard]] const std::vector<QWidget *> &all() const { return widgets_; }

private:
    std::vector<QWidget *> widgets_;
};

} // namespace zorvane::ui
