// SPDX-License-Identifier: MIT
#include "forms/command_line.h"
#include "main_window.h"
#include "program.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt aborts when no platform plugin can be started, advising a reinstall; the
// install is fine, the display is not. Say so, and end as a failed start does.
void PlainStartFailure(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        qtHandler(type, context, message);
        return;
    }
    std::fputs("zorvane: the window system could not be reached (see above); check DISPLAY "
               "or WAYLAND_DISPLAY, or choose another with -platform.\n",
               stderr);
    std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    // Help, the version and mistakes need no display, so they come before Qt.
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const auto reply =
        zorvane::forms::AnswerCommandLine(arguments, zorvane::forms::FrontEnd::Qt,
                                          [](const char *name) { return std::getenv(name); });
    if (!reply.start) {
        std::fputs(reply.text.c_str(), reply.error ? stderr : stdout);
        return reply.exitCode;
    }

    qtHandler = qInstallMessageHandler(PlainStartFailure);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    const auto window = zorvane::qt::StartProgram();
    return QApplication::exec();
}
