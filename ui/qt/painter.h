// SPDX-License-Identifier: MIT
// Colours as the windows paint them: backgrounds, label texts, button faces
// and the small filled squares.
#pragma once

#include "forms/model.h"

#include <QColor>
#include <QWidget>

class QLabel;
class QPushButton;

namespace zorvane::qt {

void SetBackground(QWidget *window, forms::Rgb colour);
void SetTextColour(QLabel *label, forms::Rgb colour);

// Paints `button` exactly in `face`, in the model's pressed colours while it
// is pressed, and with a dotted ring while it has the keyboard focus.
void SetButtonFace(QPushButton *button, forms::Rgb face);

// A small square filled with one colour, beside a label.
class Square final : public QWidget {
public:
    Square(forms::Rgb fill, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor fill_;
};

} // namespace zorvane::qt
