// SPDX-License-Identifier: MIT
#include "main_window.h"
#include "program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const auto window = zorvane::ui::StartProgram();
    return QApplication::exec();
}
