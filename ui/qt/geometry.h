// SPDX-License-Identifier: MIT
// Placing controls: window layouts are given in twips, converted here only.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

namespace zorvane::ui {

// 1440 twips make an inch and 96 device-independent pixels make an inch.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

constexpr QSize TwipsSize(int width, int height)
{
    return {TwipsToPixels(width), TwipsToPixels(height)};
}

// One control of a window's layout table.
struct Placement {
    QWidget *control;
    const char *name;             // the control's object name
    int left, top, width, height; // twips
};

// Names every control of `table` and places it at its rectangle in pixels.
template <typename Table> void Place(const Table &table)
{
    for (const Placement &row : table) {
        row.control->setObjectName(QString::fromLatin1(row.name));
        row.control->setGeometry(TwipsRect(row.left, row.top, row.width, row.height));
    }
}

// Moves the top-level `window` so that its frame sits in the middle of the
// available area of its screen.
void CentreOnScreen(QWidget *window);

} // namespace zorvane::ui
