// SPDX-License-Identifier: MIT
// Reading the requested length, and the "Number of Combinations" figure.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvane {

// Reads the length typed by the user. Never fails: the leading numeric part of
// `text` counts and anything after it is ignored; text that does not begin with
// a number, the empty text included, reads as 0. The rules:
//   - leading spaces and tabs are skipped;
//   - then an optional "+" or "-";
//   - then ASCII digits with at most one ".", and at least one digit
//     ("12", "2.5", ".5" and "5." are numbers; "." and "-" are not);
//   - then an optional exponent, "e" or "E", an optional sign and at least one
//     digit; an "e" without digits is not part of the number ("3e" reads 3);
//   - no blanks inside the number ("1 2" reads 1), no digit grouping, no radix
//     forms ("0x1p3" reads 0), and "inf" and "nan" are not numbers;
//   - a "." is always the decimal point, whatever the process locale says;
//   - a number too large for a double reads as an infinity of its sign, and
//     one too small reads as zero.
// Linear in the length of `text`.
[[nodiscard]] double ReadCharCount(std::string_view text);

// `value` rounded to a whole number, halves to the even neighbour, or empty
// when the rounded value does not fit into a 16-bit signed integer.
[[nodiscard]] std::optional<std::int16_t> RoundHalfEvenToInt16(double value);

struct Combinations {
    std::int16_t combinations = 0;
    // A product did not fit; `combinations` then holds the last value that did.
    bool overflowed = false;
};

// The figure for `length`: for whole n >= 1 it is n! * 35, every product
// held in 16 bits. Empty when `length` itself rounds to a value outside the
// 16-bit range, so that no figure can start from it.
[[nodiscard]] std::optional<Combinations> CombinationFigure(double length);

// The decimal form of `combinations`, or "Infinity" when it overflowed.
[[nodiscard]] std::string FigureText(const Combinations &figure);

inline constexpr std::string_view kInfinityText = "Infinity";

} // namespace zorvane
