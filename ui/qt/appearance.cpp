// SPDX-License-Identifier: MIT
#include "appearance.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStringList>

namespace zorvane::ui {
namespace {

// Debian's fonts-wine installs these outside fontconfig's search path.
constexpr char kWineFontDir[] = "/usr/share/wine/fonts/";

QStringList Families()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::families();
#else
    return QFontDatabase().families();
#endif
}

// Makes `family` available: when the system lacks it, registers the free
// metric-compatible `files` that Debian's fonts-wine ships. Where those are
// absent too, a fitting sans face stands in.
bool EnsureFace(const QString &family, const QStringList &files)
{
    if (Families().contains(family, Qt::CaseInsensitive))
        return true;
    for (const QString &file : files)
        QFontDatabase::addApplicationFont(QString::fromLatin1(kWineFontDir) + file);
    if (Families().contains(family, Qt::CaseInsensitive))
        return true;
    // Narrow sans faces first: the captions were sized for these metrics.
    QFont::insertSubstitutions(family,
                               {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    return false;
}

QFont PixelFont(const QString &family, int pixels, QFont::Weight weight)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

// The free faces Debian's fonts-wine ships for a family, when the system lacks it.
QStringList WineFiles(const QString &family)
{
    if (family == QLatin1String("MS Sans Serif"))
        return {QStringLiteral("ms_sans_serif.ttf")};
    if (family == QLatin1String("Tahoma"))
        return {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")};
    return {};
}

} // namespace

QFont FontOf(const forms::Font &font)
{
    const QString family =
        QString::fromLatin1(font.family.data(), static_cast<int>(font.family.size()));
    // Each face is registered on first use only: loading one costs start-up time.
    static QStringList ensured;
    if (!ensured.contains(family)) {
        ensured << family;
        EnsureFace(family, WineFiles(family));
    }
    return PixelFont(family, forms::FontPixels(font), font.bold ? QFont::Bold : QFont::Normal);
}

void SetBackground(QWidget *window, const QColor &colour)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, colour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void SetTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void SetButtonFace(QPushButton *button, const QColor &face)
{
    // A border of the face's own colour keeps the style from painting a
    // bevel in the system's button colour.
    const QString sheet =
        QStringLiteral("QPushButton { background-color: %1; color: black;"
                       " border: 2px solid %1; padding: 0px; }"
                       "QPushButton:focus { border: 1px dotted black; padding: 1px; }"
                       "QPushButton:pressed { background-color: %2;"
                       " border: 2px inset %3; padding: 1px 0px 0px 1px; }")
            .arg(face.name(), face.darker(115).name(), face.darker(160).name());
    button->setStyleSheet(sheet);
}

void FitCaption(QPushButton *button, const QFont &intended)
{
    constexpr int kMargin = 6; // border and focus ring on both sides
    QFont font = intended;
    while (font.pixelSize() > 8 &&
           QFontMetrics(font).horizontalAdvance(button->text()) > button->width() - kMargin)
        font.setPixelSize(font.pixelSize() - 1);
    button->setFont(font);
}

Marker::Marker(const QColor &fill, QWidget *parent) : QWidget(parent), fill_(fill)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Marker::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), fill_);
}

} // namespace zorvane::ui
