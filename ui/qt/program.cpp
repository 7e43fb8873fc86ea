// SPDX-License-Identifier: MIT
#include "program.h"

#include "fonts.h"
#include "forms/main_window.h"
#include "main_window.h"
#include "placement.h"
#include "text.h"

#include <QApplication>

namespace zorvane::qt {

std::unique_ptr<MainWindow> StartProgram()
{
    QApplication::setApplicationName(ToQString(forms::kApplicationTitle));
    // Wayland's app id: docks match it to the installed desktop entry's name.
    QApplication::setDesktopFileName(QStringLiteral(ZORVANE_APP_ID));
    // Controls then start in the windows' own face, so the toolkit's default
    // face is never loaded; the exit question shares the windows' face too.
    QApplication::setFont(FontOf(forms::kMainWindow.font, qApp->devicePixelRatio()));

    auto window = std::make_unique<MainWindow>();
    CentreOnScreen(window.get());
    window->show();
    window->activateWindow();
    return window;
}

} // namespace zorvane::qt
