// SPDX-License-Identifier: MIT
#include "form1.h"
#include "program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const auto form1 = zorvane::ui::StartProgram();
    return QApplication::exec();
}
