// SPDX-License-Identifier: MIT
// The pictures compiled into the program.
#pragma once

#include "forms/model.h"

#include <QIcon>
#include <QPixmap>

namespace zorvane::qt {

QIcon MainIcon();
QIcon AboutIcon();
// A picture control's content: the banner GIF's first frame, or the portrait,
// in the rendition drawn for device pixel ratio `ratio`, at the same logical size.
QPixmap PictureOf(forms::Picture picture, qreal ratio);

} // namespace zorvane::qt
