// SPDX-License-Identifier: MIT
// One Generate request, from the typed length to the texts the window shows.
#pragma once

#include <string>
#include <string_view>

namespace zorvane {

class RandomSource;

// What one request computes: the password and its figure, as texts the window
// shows as they are, and whether the random source failed. The core knows
// nothing of the window.
//
// The password is wiped whenever it is replaced or destroyed, and so is what a
// move leaves behind in the moved-from texts; once the window has copied it
// into its field, letting these texts go out of scope leaves no copy of ours.
struct GeneratedTexts {
    GeneratedTexts() = default;
    GeneratedTexts(const GeneratedTexts &) = default;
    GeneratedTexts(GeneratedTexts &&) noexcept = default;
    GeneratedTexts &operator=(const GeneratedTexts &other);
    GeneratedTexts &operator=(GeneratedTexts &&other) noexcept;
    ~GeneratedTexts();

    std::string password; // the password field; empty when none was made
    std::string figure;   // beside "Number of Combinations"
    // The random source failed: `password` is empty and must not be mistaken
    // for a password of length zero.
    bool sourceFailed = false;
};

// Runs one request for `lengthText`, the length field's text. Nothing from one
// request reaches the next. Builds the whole password before returning it.
[[nodiscard]] GeneratedTexts GeneratePassword(std::string_view lengthText, RandomSource &source);

} // namespace zorvane
