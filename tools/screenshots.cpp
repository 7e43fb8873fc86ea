// SPDX-License-Identifier: MIT
// Renders both windows of the real program, as a user sees them after one
// request, into PNG files: screenshots <directory> [length].
#include "form1.h"
#include "form2.h"
#include "program.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots <directory> [length]\n");
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    const QString length = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("5");

    const auto form1 = zorvane::ui::StartProgram();
    QTest::keyClicks(form1->findChild<QLineEdit *>(QStringLiteral("Text1")), length);
    QTest::mouseClick(form1->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QPushButton *about = form1->findChild<QPushButton *>(QStringLiteral("Command3"));
    const bool saved = form1->grab().save(directory.filePath(QStringLiteral("form1.png")));

    QTest::mouseClick(about, Qt::LeftButton);
    zorvane::ui::Form2 *form2 = form1->aboutWindow();
    const bool savedAbout =
        form2 && form2->grab().save(directory.filePath(QStringLiteral("form2.png")));
    if (!saved || !savedAbout) {
        std::fprintf(stderr, "screenshots: could not write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
