// SPDX-License-Identifier: MIT
// Renders both windows of the real program, as a user sees them after one
// request, into PNG files: screenshots <directory> [length].
#include "about_window.h"
#include "forms/main_window.h"
#include "main_window.h"
#include "program.h"
#include "text.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    using enum zorvane::forms::MainControl;
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots <directory> [length]\n");
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    const QString length = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("5");

    const auto window = zorvane::qt::StartProgram();
    // The controls, found by their names as automation finds them.
    const auto control = [&window](zorvane::forms::MainControl id) {
        return window->findChild<QWidget *>(
            zorvane::qt::ToQString(zorvane::forms::Row(id).objectName), Qt::FindDirectChildrenOnly);
    };
    QTest::keyClicks(control(LengthField), length);
    QTest::mouseClick(control(GenerateButton), Qt::LeftButton);
    const bool saved = window->grab().save(directory.filePath(QStringLiteral("main-window.png")));

    QTest::mouseClick(control(AboutButton), Qt::LeftButton);
    auto *about = window->findChild<zorvane::qt::AboutWindow *>();
    const bool savedAbout =
        about && about->grab().save(directory.filePath(QStringLiteral("about-window.png")));
    if (!saved || !savedAbout) {
        std::fprintf(stderr, "screenshots: could not write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
