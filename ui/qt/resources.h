// SPDX-License-Identifier: MIT
// The pictures compiled into the program.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace zorvane::ui {

// Registers the compiled-in pictures; safe to call more than once.
void EnsureResources();

QIcon MainIcon();
QIcon AboutIcon();
QPixmap BannerPicture(); // the GIF's first frame
QPixmap PortraitPicture();

} // namespace zorvane::ui
