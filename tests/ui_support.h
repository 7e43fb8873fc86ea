// SPDX-License-Identifier: MIT
// What the window tests share: checking each box's colours, and what a screen
// reader hears.
#pragma once

#include "forms/model.h"
#include "pictures.h"

#include <QAccessible>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace zorvane::ui::testing {

inline QRgb ToQRgb(forms::Rgb rgb)
{
    return qRgb(rgb.red, rgb.green, rgb.blue);
}

// Whether `pixel` lies between `from` and `to`, as antialiased text in `to`
// on `from` does, give or take rounding.
inline bool IsBlend(QRgb pixel, QRgb from, QRgb to)
{
    const int p[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    const int f[3] = {qRed(from), qGreen(from), qBlue(from)};
    const int d[3] = {qRed(to) - f[0], qGreen(to) - f[1], qBlue(to) - f[2]};
    const int k = static_cast<int>(
        std::max_element(d, d + 3, [](int a, int b) { return std::abs(a) < std::abs(b); }) - d);
    const double t = double(p[k] - f[k]) / d[k];
    if (t < -0.02 || t > 1.02)
        return false;
    for (int c = 0; c < 3; ++c)
        if (std::abs(p[c] - (f[c] + t * d[c])) > 4)
            return false;
    return true;
}

// Checks every pixel of `window` against its table: where no control is, the
// window's background; a label's box holds only the background and its text
// colour, a button only its face and its black caption; markers are filled;
// pictures show theirs. Each coloured box must also show its own colour.
inline void ExpectDrawnAsDescribed(QWidget &window, const forms::Window &description,
                                   const std::vector<QWidget *> &controls)
{
    const QImage image = window.grab().toImage();
    ASSERT_EQ(image.size(), window.size()) << "checked at a scale of 1";
    const QRgb background = ToQRgb(description.background);
    struct Tally {
        int bad = 0, own = 0, total = 0;
        QPoint firstBad;
    };
    std::map<const QWidget *, Tally> tallies;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QWidget *owner = window.childAt(x, y);
            while (owner && owner->parentWidget() != &window)
                owner = owner->parentWidget();
            const auto at = std::find(controls.begin(), controls.end(), owner);
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            bool good = true, own = false;
            if (at == controls.end()) {
                good = own = pixel == background;
            } else {
                const forms::Control &row =
                    description.controls[std::size_t(at - controls.begin())];
                const QRgb colour = row.colour ? ToQRgb(*row.colour) : 0;
                switch (row.kind) {
                case forms::Kind::Label:
                    good = IsBlend(pixel, background, colour);
                    own = pixel == colour;
                    break;
                case forms::Kind::Button:
                    good = IsBlend(pixel, colour, qRgb(0, 0, 0));
                    own = pixel == colour;
                    break;
                case forms::Kind::Marker:
                    good = own = pixel == colour;
                    break;
                case forms::Kind::Picture:
                    good = own =
                        pixel ==
                        (PictureOf(row.picture).toImage().pixel(QPoint(x, y) - (*at)->pos()) |
                         0xff000000u);
                    break;
                case forms::Kind::TextField:
                case forms::Kind::OutputField:
                    continue;
                }
            }
            Tally &tally = tallies[owner];
            if (!good && tally.bad++ == 0)
                tally.firstBad = {x, y};
            tally.own += own;
            ++tally.total;
        }
    }
    for (const auto &[owner, tally] : tallies) {
        const std::string name = owner ? owner->objectName().toStdString() : "background";
        EXPECT_EQ(tally.bad, 0) << name << " first at " << tally.firstBad.x() << ','
                                << tally.firstBad.y();
        EXPECT_GT(tally.own, 0) << name << " never shows its own colour";
    }
}

// What a screen reader hears as `control`'s name, or its description.
inline QString Heard(QWidget *control, QAccessible::Text what = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(control)->text(what);
}

// The object names of the controls that label `control`, as a screen reader is told.
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
