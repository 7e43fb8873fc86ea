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
    window->move(CentredIn(screen->availableGeometry(), frame));
}

} // namespace zorvane::qt
