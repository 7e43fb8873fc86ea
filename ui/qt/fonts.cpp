// SPDX-License-Identifier: MIT
#include "fonts.h"

#include "text.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace zorvane::qt {
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
// metric-compatible `files` that Debian's fonts-wine ships, which stand in
// under their own name where it differs. Where those are absent too, a
// fitting sans face stands in.
bool EnsureFace(const QString &family, const QStringList &files)
{
    if (Families().contains(family, Qt::CaseInsensitive))
        return true;
    QStringList registered;
    for (const QString &file : files)
        registered << QFontDatabase::applicationFontFamilies(
            QFontDatabase::addApplicationFont(QString::fromLatin1(kWineFontDir) + file));
    if (Families().contains(family, Qt::CaseInsensitive))
        return true;
    if (!registered.isEmpty()) {
        QFont::insertSubstitutions(family, registered);
        return true;
    }
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
    // Tahoma's outlines share the metrics of the outline companion of
    // "MS Sans Serif", which fonts-wine lacks.
    if (family == QLatin1String("Microsoft Sans Serif"))
        return {QStringLiteral("tahoma.ttf")};
    return {};
}

QFont Ensured(std::string_view name)
{
    const QString family = ToQString(name);
    // Each face is registered on first use only: loading one costs start-up time.
    static QStringList ensured;
    if (!ensured.contains(family)) {
        ensured << family;
        EnsureFace(family, WineFiles(family));
    }
    return QFont(family);
}

// The sizes, in device pixels, at which Qt draws `family` from its own
// bitmaps at device pixel ratio `ratio`; none when it scales. Qt picks a
// bitmap strike by its size in logical pixels and never scales its glyphs, so
// a strike of s pixels is drawn s device pixels high at any ratio: only what Qt
// realises counts, read back for each size the family lists.
std::vector<int> Strikes(const QFont &family)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QStringList families = QFontDatabase::families();
    const auto scalable = [](const QString &name) { return QFontDatabase::isScalable(name); };
    const auto points = [](const QString &name) { return QFontDatabase::pointSizes(name); };
#else
    QFontDatabase database; // Qt 5 lists sizes through non-const calls
    const QStringList families = database.families();
    const auto scalable = [&](const QString &name) { return database.isScalable(name); };
    const auto points = [&](const QString &name) { return database.pointSizes(name); };
#endif
    const QString name = family.family();
    std::vector<int> strikes;
    if (!families.contains(name, Qt::CaseInsensitive) || scalable(name))
        return strikes;
    for (const int point : points(name)) {
        QFont at = family;
        at.setPointSize(point);
        const int pixels = QFontInfo(at).pixelSize();
        if (std::find(strikes.begin(), strikes.end(), pixels) == strikes.end())
            strikes.push_back(pixels);
    }
    return strikes;
}

// `font` drawn `pixels` device pixels high at `ratio`, given to Qt in logical
// pixels; Qt scales outlines by the ratio, and a strike is drawn at ratio 1 only.
QFont AtPixels(QFont font, int pixels, qreal ratio)
{
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels / ratio))));
    return font;
}

struct Realised {
    QFont font;
    int pixels = 0; // device pixels
};

Realised Realise(const forms::Font &font, qreal ratio)
{
    const int dpi = forms::DpiOfRatio(ratio);
    // A family's strikes do not change while the program runs: read once.
    static std::map<std::string_view, std::vector<int>> known;
    auto found = known.find(font.family);
    if (found == known.end())
        found = known.emplace(font.family, Strikes(Ensured(font.family))).first;
    const std::vector<int> &strikes = found->second;
    const forms::Face face = forms::FaceFor(font, dpi, strikes);
    QFont qfont = Ensured(face.family);
    qfont.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    qfont = AtPixels(qfont, face.pixels, ratio);
    if (face.family != font.family && !strikes.empty()) {
        // The outline companion that stands in is a little wider than the
        // bitmaps: narrowed to their advances, scaled, every text keeps its
        // line breaks.
        QFont bitmap = Ensured(font.family);
        bitmap.setWeight(qfont.weight());
        bitmap = AtPixels(bitmap, forms::FontPixels(font), 1);
        QString sample;
        for (char32_t c = 0x20; c < 0x7f; ++c)
            sample += QChar(static_cast<char16_t>(c));
        const qreal want =
            QFontMetricsF(bitmap).horizontalAdvance(sample) * face.pixels / forms::FontPixels(font);
        const qreal have = QFontMetricsF(qfont).horizontalAdvance(sample) * ratio;
        if (have > 0)
            qfont.setStretch(std::clamp(static_cast<int>(std::lround(100 * want / have)), 50, 100));
    }
    return {qfont, face.pixels};
}

} // namespace

QFont FontOf(const forms::Font &font, qreal ratio)
{
    return Realise(font, ratio).font;
}

void FitCaption(QPushButton *button, const forms::Font &font)
{
    const qreal ratio = button->devicePixelRatioF();
    const Realised intended = Realise(font, ratio);
    const QString caption = button->text();
    const int dpi = forms::DpiOfRatio(ratio);
    const int width = static_cast<int>(std::lround(button->width() * ratio));
    const int pixels = forms::CaptionPixels(intended.pixels, width, dpi, [&](int size) {
        const QFontMetrics metrics(AtPixels(intended.font, size, ratio));
        return static_cast<int>(std::lround(metrics.horizontalAdvance(caption) * ratio));
    });
    button->setFont(AtPixels(intended.font, pixels, ratio));
}

} // namespace zorvane::qt
