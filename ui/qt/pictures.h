// SPDX-License-Identifier: MIT
// The pictures compiled into the program.
#pragma once

#include "forms/model.h"

#include <QIcon>
#include <QPixmap>

namespace zorvane::ui {

// Registers the compiled-in pictures; safe to call more than once.
void EnsurePictures();

QIcon MainIcon();
QIcon AboutIcon();
// A picture control's content: the banner GIF's first frame, or the portrait.
QPixmap PictureOf(forms::Picture picture);

} // namespace zorvane::ui
