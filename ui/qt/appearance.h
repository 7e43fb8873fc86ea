// SPDX-License-Identifier: MIT
// Fonts, colours and small painted controls shared by both windows.
#pragma once

#include "forms.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

namespace zorvane::ui {

// `font` at a fixed pixel size (its size at 96 dpi), so the windows look the
// same at any DPI setting and under Qt 5 (which assumes 100 dpi for points)
// and Qt 6 (96 dpi). The character set is a Windows font-mapping field with no
// Qt counterpart. The face is made available on first use: where the system
// lacks it, the free metric-compatible face from Debian's fonts-wine is
// registered, and where that is absent too, a fitting sans face stands in.
// Call after the application object exists.
QFont FontOf(const forms::Font &font);

void SetBackground(QWidget *window, const QColor &colour);
void SetTextColour(QLabel *label, const QColor &colour);

// Paints `button` exactly in `face`, with a sunken look while it is pressed
// and a dotted ring while it has the keyboard focus.
void SetButtonFace(QPushButton *button, const QColor &face);

// Gives `button` the `intended` font, shrunk only if its caption would not fit
// otherwise. The intended faces always fit; this guards the fallback faces.
void FitCaption(QPushButton *button, const QFont &intended);

// A small solid square marker.
class Marker final : public QWidget {
public:
    Marker(const QColor &fill, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor fill_;
};

} // namespace zorvane::ui
