// SPDX-License-Identifier: MIT
// Fonts, colours and small painted controls shared by both windows.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

namespace zorvane::ui {

inline constexpr char kApplicationTitle[] = "Zorvane";

// Fonts at fixed pixel sizes, so the windows look the same at any DPI setting
// and under Qt 5 (which assumes 100 dpi for points) and Qt 6 (96 dpi).
// Each face is made available on first use: where the system lacks it, the
// free metric-compatible face from Debian's fonts-wine is registered, and
// where that is absent too, a fitting sans face stands in. Call after the
// application object exists.
// "MS Sans Serif" 9.75 pt, 13 px. It is the windows' default font as well:
// that face comes in bitmap strikes, and 8.25 pt and 9.75 pt meet in the same
// 13-pixel strike.
QFont SansSerifFont();
// "Tahoma" 9.75 pt bold, 13 px.
QFont TahomaBoldFont();

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
