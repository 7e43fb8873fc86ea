// SPDX-License-Identifier: MIT
#include "placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zorvane::qt {

void CentreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Before the first show the frame is unknown; centre the client area then.
    const QSize frame = window->isVisible() ? window->frameGeometry().size() : window->size();
    const QRect area = screen->availableGeometry();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

} // namespace zorvane::qt
