// SPDX-License-Identifier: MIT
// Creates a window's controls from its table in ui/forms: class, style,
// place, font, identifier and the name a screen reader hears. Neither window
// places a control by hand.
#pragma once

#include "fonts.h"
#include "forms/model.h"

#include <span>
#include <vector>

namespace zorvane::win32 {

// The table's indexes in the order the controls are created: those that take
// the focus first, in tab order, then the rest in the table's order. That is
// the order the dialog manager's Tab follows, and it puts fields and buttons
// above the labels and markers they overlap.
std::vector<int> CreationOrder(const forms::Window &table);

// Creates every control of `table` inside `window`, sized for `dpi`, with the
// identifier commands.h derives from its index; returns their handles,
// indexed as the table.
std::vector<HWND> BuildControls(HWND window, HINSTANCE module, const forms::Window &table, int dpi,
                                FontCache &fonts);

// Moves and sizes every control of `table` for `dpi`, each in its font there.
void PlaceControls(const forms::Window &table, std::span<const HWND> controls, int dpi,
                   FontCache &fonts);

// The controls that take the focus, in tab order.
std::vector<HWND> TabOrder(const forms::Window &table, std::span<const HWND> controls);

} // namespace zorvane::win32
