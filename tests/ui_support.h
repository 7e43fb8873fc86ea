// SPDX-License-Identifier: MIT
// Helpers the window tests share.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRect>
#include <QWidget>

#include <gtest/gtest.h>

namespace zorvane::ui::testing {

struct ControlRow {
    const char *name;
    int left, top, width, height; // twips, as the layout tables give them
    const char *caption;          // nullptr where the control shows no text
};

inline QRect PixelsOf(const ControlRow &row)
{
    return {row.left / 15, row.top / 15, row.width / 15, row.height / 15};
}

// Whether any pixel of `area` in `image` has exactly `colour`.
inline bool HasPixel(const QImage &image, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

// The text a control shows: a label's or a button's caption, a field's content.
inline QString VisibleText(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *field = qobject_cast<const QLineEdit *>(control))
        return field->text();
    if (const auto *area = qobject_cast<const QPlainTextEdit *>(control))
        return area->toPlainText();
    return {};
}

// The control of `window` whose object name is `name`; fails the test if absent.
template <typename T = QWidget> T *FindControl(const QWidget &window, const char *name)
{
    T *control = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

inline QImage Snapshot(QWidget &window)
{
    return window.grab().toImage();
}

} // namespace zorvane::ui::testing
