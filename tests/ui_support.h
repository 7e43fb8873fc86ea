// SPDX-License-Identifier: MIT
// Helpers the window tests share.
#pragma once

#include "forms.h"
#include "geometry.h"

#include <QAccessible>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

#include <gtest/gtest.h>

namespace zorvane::ui::testing {

// Whether any pixel of `area` in `image` has exactly `colour`.
inline bool HasPixel(const QImage &image, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

// The control of `window` whose object name is `name`; fails the test if absent.
template <typename T = QWidget> T *FindControl(const QWidget &window, const char *name)
{
    T *control = Control<T>(window, name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Every control drawn in the colour its window's description gives it, on the
// window's background.
inline void ExpectDescribedColours(QWidget &window, const forms::Window &description)
{
    const QImage image = window.grab().toImage();
    const auto colour = [](forms::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); };
    EXPECT_EQ(image.pixelColor(image.width() - 2, image.height() - 2).rgb(),
              colour(description.background).rgb());
    for (const forms::Control &row : description.controls) {
        if (row.colour && !(row.kind == forms::Kind::Label && row.text.empty())) {
            EXPECT_TRUE(HasPixel(image, PixelRect(row.rect), colour(*row.colour)))
                << description.name << '.' << row.name;
        }
    }
}

// What a screen reader hears as `control`'s name.
inline QString AccessibleName(QWidget *control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

// The names of the controls that label `control`, as a screen reader is told.
inline QStringList LabelledBy(QWidget *control)
{
    QStringList labels;
    const auto relations =
        QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
    for (const auto &relation : relations)
        labels << relation.first->object()->objectName();
    return labels;
}

} // namespace zorvane::ui::testing
