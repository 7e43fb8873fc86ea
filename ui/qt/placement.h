// SPDX-License-Identifier: MIT
// Where a window and its controls go, in Qt's device-independent pixels.
#pragma once

#include "forms/model.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace zorvane::qt {

// Qt scales device-independent pixels itself, so layouts convert at 96 dpi.
constexpr QRect ToQRect(const forms::Twips &twips)
{
    const forms::Pixels pixels = forms::PixelRect(twips);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

constexpr QSize ClientSize(const forms::Window &window)
{
    return {forms::TwipsToPixels(window.width), forms::TwipsToPixels(window.height)};
}

// Where a frame of `frame`'s size sits in the middle of `area`.
constexpr QPoint CentredIn(const QRect &area, const QSize &frame)
{
    return {area.x() + (area.width() - frame.width()) / 2,
            area.y() + (area.height() - frame.height()) / 2};
}

// Moves the top-level `window` so that its frame sits in the middle of the
// available area of its screen.
void CentreOnScreen(QWidget *window);

} // namespace zorvane::qt
