// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <QString>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitZorvaneResources()
{
    Q_INIT_RESOURCE(zorvane);
}

namespace zorvane::ui {
namespace {

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

void EnsurePictures()
{
    static const bool registered = (InitZorvaneResources(), true);
    (void)registered;
}

QIcon MainIcon()
{
    return IconFrom("zorvane");
}

QIcon AboutIcon()
{
    return IconFrom("about");
}

QPixmap PictureOf(forms::Picture picture)
{
    EnsurePictures();
    switch (picture) {
    case forms::Picture::Banner:
        return QPixmap(QStringLiteral(":/zorvane/banner.gif"));
    case forms::Picture::Portrait:
        return QPixmap(QStringLiteral(":/zorvane/portrait.jpg"));
    case forms::Picture::None:
        break;
    }
    return {};
}

} // namespace zorvane::ui
