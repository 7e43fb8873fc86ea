// SPDX-License-Identifier: MIT
// What both windows share: creating a window's controls from its table.
#pragma once

#include "forms/model.h"

#include <QWidget>

#include <vector>

namespace zorvane::qt {

// Gives `window` its title, background, font and fixed size, and creates every
// control of `description` in it: named, placed, coloured, captioned, stacked,
// chained in focus order and labelled for screen readers. Returns the controls
// in the table's order; the window wires the buttons it has.
std::vector<QWidget *> BuildWindow(QWidget &window, const forms::Window &description);

// Whether `control` was built as decoration (forms::IsDecoration): drawn, and
// nothing a screen reader should stop on.
[[nodiscard]] bool IsDecoration(const QWidget &control);

} // namespace zorvane::qt
