// SPDX-License-Identifier: MIT
#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
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

// The free faces Debian's fonts-wine ships for a family, when the system lacks it.
QStringList WineFiles(const QString &family)
{
    if (family == QLatin1String("MS Sans Serif"))
        return {QStringLiteral("ms_sans_serif.ttf")};
    if (family == QLatin1String("Tahoma"))
        return {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")};
    return {};
}

QFont AtPixels(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
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
    QFont qfont(family);
    qfont.setPixelSize(forms::FontPixels(font));
    qfont.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    return qfont;
}

void FitCaption(QPushButton *button, const QFont &intended)
{
    const QString caption = button->text();
    const int pixels = forms::CaptionPixels(
        intended.pixelSize(), button->width(), forms::kDefaultDpi, [&](int size) {
            return QFontMetrics(AtPixels(intended, size)).horizontalAdvance(caption);
        });
    button->setFont(AtPixels(intended, pixels));
}

} // namespace zorvane::ui
