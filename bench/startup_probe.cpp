// SPDX-License-Identifier: MIT
// Starts like the program, or with a plain window, and exits after the first paint.
#include "main_window.h"
#include "program.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

// Ends the event loop once a top-level window has been painted. It watches the
// whole application because a platform may paint during show().
class FirstPaint final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            seen_ = true;
            // The window paints first and its children after it in the same
            // pass; quitting from the queue lets that pass and the flush end.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

int Usage()
{
    std::fputs("usage: startup_probe zorvane|empty|label\n", stderr);
    return 64;
}

// An empty window of the main window's size, or one with a single label: the
// least that any window showing text has to start (the font configuration).
std::unique_ptr<QWidget> ShowPlainWindow(bool withLabel)
{
    auto window = std::make_unique<QWidget>();
    window->resize(254, 255);
    if (withLabel)
        (new QLabel(QStringLiteral("Number of Characters"), window.get()))->move(16, 16);
    window->show();
    return window;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return Usage();
    const std::string_view mode = argv[1];
    if (mode != "zorvane" && mode != "empty" && mode != "label")
        return Usage();

    int qtArgc = 1; // the mode is ours, not Qt's
    QApplication app(qtArgc, argv);
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    QTimer::singleShot(10000, &app, [] {
        std::fputs("startup_probe: no window was painted within 10 s\n", stderr);
        QCoreApplication::exit(2);
    });

    const std::unique_ptr<QWidget> window =
        mode == "zorvane" ? zorvane::qt::StartProgram() : ShowPlainWindow(mode == "label");
    const int result = QApplication::exec();
    if (result != 0)
        return result;
    // The pixels must have reached the window system; what follows is teardown,
    // not start-up, and Qt's font database even loads the font configuration
    // while it is destroyed, which would charge the empty window for fonts it
    // never used.
    QGuiApplication::sync();
    std::fflush(nullptr);
    std::_Exit(0);
}
