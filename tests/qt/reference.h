// SPDX-License-Identifier: MIT
// A window pixel for pixel as its reference picture (tests/qt/reference), drawn
// by Qt 6 on the offscreen platform. One that differs is saved beside the tests.
#pragma once

#include <QWidget>

#include <gtest/gtest.h>

inline void ExpectLooksLike(QWidget *window, const QString &name)
{
    if (QT_VERSION_MAJOR != 6)
        GTEST_SKIP() << "text is drawn a little differently by other versions of Qt";
    const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage reference(QStringLiteral(ZORVANE_REFERENCE_DIR "/%1.png").arg(name));
    if (drawn != reference.convertToFormat(QImage::Format_RGB32) && drawn.save(name + ".png"))
        ADD_FAILURE() << name.toStdString() << " differs: see " << name.toStdString() << ".png";
}
