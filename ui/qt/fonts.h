// SPDX-License-Identifier: MIT
// The windows' faces, and a caption fitted to its button.
#pragma once

#include "forms/model.h"

#include <QFont>

class QPushButton;

namespace zorvane::qt {

// `font` as the model's face rule picks it for device pixel ratio `ratio`
// (96 dpi times the ratio), at a fixed pixel size, so the windows look the
// same at any DPI setting and under Qt 5 (which assumes 100 dpi for points)
// and Qt 6 (96 dpi): a bitmap face where one of its strikes fits, else its
// outline companion, scaled. The face is made available on first use: where
// the system lacks it, the free metric-compatible face from Debian's
// fonts-wine is registered, and where that is absent too, a fitting sans face
// stands in. Call after the application object exists.
QFont FontOf(const forms::Font &font, qreal ratio);

// Gives `button` `font`, for its device pixel ratio, at the size the model's
// caption rule picks for its current caption and width.
void FitCaption(QPushButton *button, const forms::Font &font);

} // namespace zorvane::qt
