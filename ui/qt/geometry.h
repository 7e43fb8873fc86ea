// SPDX-License-Identifier: MIT
// Building a window from its description, and placing it on the screen.
#pragma once

#include "forms.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <string_view>

namespace zorvane::ui {

// Qt scales device-independent pixels itself, so layouts convert at 96 dpi.
constexpr QRect PixelRect(const forms::Twips &twips)
{
    return {forms::TwipsToPixels(twips.left), forms::TwipsToPixels(twips.top),
            forms::TwipsToPixels(twips.width), forms::TwipsToPixels(twips.height)};
}

constexpr QSize ClientSize(const forms::Window &window)
{
    return {forms::TwipsToPixels(window.width), forms::TwipsToPixels(window.height)};
}

inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// Gives `window` its title, background, font and fixed size, and creates every
// control of `description` in it: named, placed, coloured, captioned, stacked,
// chained in focus order and labelled for screen readers.
void BuildWindow(QWidget &window, const forms::Window &description);

// The control of `window` called `name`, which BuildWindow created.
template <typename T> T *Control(const QWidget &window, std::string_view name)
{
    return window.findChild<T *>(ToQString(name), Qt::FindDirectChildrenOnly);
}

// Moves the top-level `window` so that its frame sits in the middle of the
// available area of its screen.
void CentreOnScreen(QWidget *window);

} // namespace zorvane::ui
