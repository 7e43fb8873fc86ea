// SPDX-License-Identifier: MIT
// The model's UTF-8 texts as Qt's.
#pragma once

#include <QString>

#include <string_view>

namespace zorvane::qt {

inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

} // namespace zorvane::qt
