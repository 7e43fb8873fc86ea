// SPDX-License-Identifier: MIT
// What a screen reader is told after each request, without the focus moving:
// that a password was made, its length and the figure. Never the password
// itself: a secret read aloud is heard by everyone in the room.
#pragma once

#include "main_window.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zorvane::forms {

struct Announcement {
    std::string text;
    // Spoken at once, interrupting: the request failed. Otherwise the reader
    // waits until it has finished what it is saying.
    bool urgent = false;
};

// After a request that made `characters` characters (none when the length
// asked for none, or the source failed) and shows `figure`.
inline Announcement AnnouncementAfter(std::size_t characters, std::string_view figure,
                                      bool sourceFailed)
{
    if (sourceFailed)
        return {std::string(kSourceFailedText), true};
    const std::string combinations = "Number of Combinations: " + std::string(figure) + ".";
    if (characters == 0)
        return {"No password. " + combinations, false};
    return {"New password, " + std::to_string(characters) +
                (characters == 1 ? " character. " : " characters. ") + combinations,
            false};
}

} // namespace zorvane::forms
