// SPDX-License-Identifier: MIT
#include "resources.h"

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
    QIcon icon;
    for (const char *size : {"-16.png", "-32.png"})
        icon.addFile(QStringLiteral(":/zorvane/") + QString::fromLatin1(stem) +
                     QString::fromLatin1(size));
    return icon;
}

} // namespace

void EnsureResources()
{
    static const bool registered = (InitZorvaneResources(), true);
    (void)registered;
}

QIcon MainIcon()
{
    EnsureResources();
    return IconFrom("zorvane");
}

QIcon AboutIcon()
{
    EnsureResources();
    return IconFrom("about");
}

QPixmap BannerPicture()
{
    EnsureResources();
    return QPixmap(QStringLiteral(":/zorvane/banner.gif"));
}

QPixmap PortraitPicture()
{
    EnsureResources();
    return QPixmap(QStringLiteral(":/zorvane/portrait.jpg"));
}

} // namespace zorvane::ui
