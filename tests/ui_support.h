// SPDX-License-Identifier: MIT
// What the window tests share: checking each box's colours.
#pragma once

#include "forms/model.h"
#include "pictures.h"

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
    const int k = std::abs(d[0]) >= std::abs(d[1]) ? (std::abs(d[0]) >= std::abs(d[2]) ? 0 : 2)
                                                   : (std::abs(d[1]) >= std::abs(d[2]) ? 1 : 2);
    const double t = double(p[k] - f[k]) / d[k];
    for (int c = 0; c < 3; ++c)
        if (t < -0.02 || t > 1.02 || std::abs(p[c] - (f[c] + t * d[c])) > 4)
            return false;
    return true;
}

// Checks every pixel of `window` against its table: where no control is, the
// window's background; a label's box holds only the background and its text
// colour, a button only its face and its black caption, and each shows its
// own colour; markers are filled; pictures show theirs.
inline void ExpectDrawnAsDescribed(QWidget &window, const forms::Window &description,
                                   const std::vector<QWidget *> &controls)
{
    const QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), window.size()) << "checked at a scale of 1";
    const QRgb background = ToQRgb(description.background);
    std::map<const QWidget *, int> bad;    // pixels in a colour not its own
    std::map<const QWidget *, bool> shown; // its own colour somewhere
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QWidget *owner = window.childAt(x, y);
            while (owner && owner->parentWidget() != &window)
                owner = owner->parentWidget();
            const auto at = std::find(controls.begin(), controls.end(), owner);
            const forms::Control *row = at == controls.end()
                                            ? nullptr
                                            : &description.controls[size_t(at - controls.begin())];
            const QRgb pixel = image.pixel(x, y);
            const QRgb own = row ? (row->colour ? ToQRgb(*row->colour) : 0) : background;
            bool good = pixel == own;
            if (row && row->kind == forms::Kind::Label)
                good = IsBlend(pixel, background, own);
            else if (row && row->kind == forms::Kind::Button)
                good = IsBlend(pixel, own, qRgb(0, 0, 0));
            else if (row && row->kind != forms::Kind::Marker)
                continue; // fields, and pictures below
            bad[owner] += !good;
            shown[owner] = shown[owner] || pixel == own;
        }
    }
    for (const auto &[owner, seen] : shown) {
        const std::string name = owner ? owner->objectName().toStdString() : "background";
        EXPECT_TRUE(seen) << name << " never shows its own colour";
        EXPECT_EQ(bad[owner], 0) << name;
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const forms::Control &row = description.controls[i];
        if (row.kind != forms::Kind::Picture)
            continue;
        EXPECT_EQ(image.copy(controls[i]->geometry()),
                  PictureOf(row.picture).toImage().convertToFormat(QImage::Format_RGB32))
            << row.objectName;
    }
}

} // namespace zorvane::ui::testing
