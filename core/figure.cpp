// SPDX-License-Identifier: MIT
#include "figure.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace zorvane {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t i)
{
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// Decimal order of magnitude of a number that std::from_chars could not hold,
// to tell an overflow from an underflow. Exact enough: such numbers lie beyond
// 1e308 or below 1e-323, far from the sign change of this estimate.
long MagnitudeOf(std::string_view mantissa, std::string_view exponent)
{
    long order = 0;
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const std::size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos) {
        order = static_cast<long>(whole.size() - firstWhole);
    } else if (point != std::string_view::npos) {
        const std::string_view fraction = mantissa.substr(point + 1);
        const std::size_t firstFraction = fraction.find_first_not_of('0');
        order = -static_cast<long>(firstFraction == std::string_view::npos ? fraction.size()
                                                                           : firstFraction);
    }
    // The exponent saturates: a million already decides the answer.
    constexpr long kSaturated = 1'000'000;
    long exponentValue = 0;
    bool negative = false;
    for (const char c : exponent) {
        if (c == '-')
            negative = true;
        else if (IsDigit(c) && exponentValue < kSaturated)
            exponentValue = exponentValue * 10 + (c - '0');
    }
    return order + (negative ? -exponentValue : exponentValue);
}

} // namespace

double ReadCharCount(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    const std::size_t mantissaBegin = i;
    i = SkipDigits(text, i);
    std::size_t digits = i - mantissaBegin;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionBegin = i + 1;
        i = SkipDigits(text, fractionBegin);
        digits += i - fractionBegin;
    }
    if (digits == 0)
        return 0.0;
    const std::size_t mantissaEnd = i;

    std::size_t end = mantissaEnd;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t exponentDigits = SkipDigits(text, j);
        if (exponentDigits > j)
            end = exponentDigits;
    }

    // std::from_chars ignores the locale. It is given only the span checked
    // above, unsigned, so it can never take "inf", "nan" or a hex form.
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + mantissaBegin, text.data() + end, value,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view mantissa = text.substr(mantissaBegin, mantissaEnd - mantissaBegin);
        const std::string_view exponent = text.substr(mantissaEnd, end - mantissaEnd);
        value = MagnitudeOf(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc() || ptr != text.data() + end) {
        return 0.0; // Unreachable for the forms accepted above; never guess.
    }
    return negative ? -value : value;
}

std::optional<std::int16_t> RoundHalfEvenToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // Explicit half-to-even: does not depend on the floating-point rounding
    // mode. `value - lower` is exact for every double.
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1.0;
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<Combinations> CombinationFigure(double length)
{
    const std::optional<std::int16_t> start = RoundHalfEvenToInt16(length);
    if (!start)
        return std::nullopt;

    Combinations result{*start, false};
    // `length` rounds into the 16-bit range here, so `i` stays small; and
    // every product past 8 overflows within a few steps anyway.
    for (int i = 1; i <= length - 1; ++i) {
        const std::optional<std::int16_t> next =
            RoundHalfEvenToInt16(result.combinations * (length - i));
        if (!next) {
            result.overflowed = true;
            return result;
        }
        result.combinations = *next;
    }
    const std::optional<std::int16_t> last = RoundHalfEvenToInt16(result.combinations * 35.0);
    if (last)
        result.combinations = *last;
    else
        result.overflowed = true;
    return result;
}

std::string FigureText(const Combinations &figure)
{
    if (figure.overflowed)
        return std::string(kInfinityText);
    return std::to_string(figure.combinations);
}

} // namespace zorvane
