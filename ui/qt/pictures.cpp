// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <QString>

#include <cmath>
#include <iterator>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitZorvaneResources()
{
    Q_INIT_RESOURCE(zorvane);
}

namespace zorvane::qt {
namespace {

// Registers the compiled-in pictures; safe to call more than once.
void EnsurePictures()
{
    static const bool registered = (InitZorvaneResources(), true);
    (void)registered;
}

QIcon IconFrom(const char *stem)
{
    EnsurePictures();
    QIcon icon;
    for (const char *size : {"-16.png", "-32.png"})
        icon.addFile(QStringLiteral(":/zorvane/") + QString::fromLatin1(stem) +
                     QString::fromLatin1(size));
    return icon;
}

} // namespace

QIcon MainIcon()
{
    return IconFrom("zorvane");
}

QIcon AboutIcon()
{
    return IconFrom("about");
}

QPixmap PictureOf(forms::Picture picture, qreal ratio)
{
    EnsurePictures();
    // The renditions drawn at 1x, 2x and 3x.
    static constexpr const char *kBanner[] = {"banner.gif", "banner@2x.png", "banner@3x.png"};
    static constexpr const char *kPortrait[] = {"portrait.jpg", "portrait@2x.jpg",
                                                "portrait@3x.jpg"};
    static_assert(std::size(kBanner) == std::size_t{forms::kLargestRendition} &&
                  std::size(kPortrait) == std::size_t{forms::kLargestRendition});
    const char *const *renditions = nullptr;
    switch (picture) {
    case forms::Picture::Banner:
        renditions = kBanner;
        break;
    case forms::Picture::Portrait:
        renditions = kPortrait;
        break;
    case forms::Picture::None:
        return {};
    }
    const int rendition = forms::RenditionFor(forms::DpiOfRatio(ratio));
    const QPixmap one(QStringLiteral(":/zorvane/") + QString::fromLatin1(renditions[0]));
    QPixmap drawn = rendition == 1 ? one
                                   : QPixmap(QStringLiteral(":/zorvane/") +
                                             QString::fromLatin1(renditions[rendition - 1]));
    // Scaled smoothly to the exact device size, and drawn at the logical size
    // of the 1x picture.
    const QSize device(static_cast<int>(std::lround(one.width() * ratio)),
                       static_cast<int>(std::lround(one.height() * ratio)));
    if (drawn.size() != device)
        drawn = drawn.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    drawn.setDevicePixelRatio(ratio);
    return drawn;
}

} // namespace zorvane::qt
