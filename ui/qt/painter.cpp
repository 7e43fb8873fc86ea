// SPDX-License-Identifier: MIT
#include "painter.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace zorvane::qt {
namespace {

QColor ToQColor(forms::Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

void SetBackground(QWidget *window, forms::Rgb colour)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void SetTextColour(QLabel *label, forms::Rgb colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    label->setPalette(palette);
}

void SetButtonFace(QPushButton *button, forms::Rgb face)
{
    const forms::ButtonColours colours = forms::ButtonColoursOf(face);
    // A border of the face's own colour keeps the style from painting a
    // bevel in the system's button colour.
    const QString sheet =
        QStringLiteral("QPushButton { background-color: %1; color: black;"
                       " border: 2px solid %1; padding: 0px; }"
                       "QPushButton:focus { border: 1px dotted black; padding: 1px; }"
                       "QPushButton:pressed { background-color: %2;"
                       " border: 2px inset %3; padding: 1px 0px 0px 1px; }")
            .arg(ToQColor(colours.face).name(), ToQColor(colours.pressedFace).name(),
                 ToQColor(colours.pressedEdge).name());
    button->setStyleSheet(sheet);
}

Square::Square(forms::Rgb fill, QWidget *parent) : QWidget(parent), fill_(ToQColor(fill))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Square::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), fill_);
}

} // namespace zorvane::qt
