// SPDX-License-Identifier: MIT
// A second reading of the length text, kept apart from ReadCharCount: it
// follows the rules written above ReadCharCount, carries the number as exact
// decimal digits instead of parsing a double, and judges a double against it
// by exact decimal comparison. Written to be obviously right, not fast.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace zorvane::fuzz {

// A non-negative number held exactly: 0.d1d2d3... times 10^point, no zero at either end.
struct Decimal {
    std::string digits;
    std::int64_t point = 0;

    void Normalise()
    {
        const std::size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos) {
            *this = {};
            return;
        }
        digits.erase(0, first);
        point -= static_cast<std::int64_t>(first);
        digits.erase(digits.find_last_not_of('0') + 1);
    }

    [[nodiscard]] bool IsZero() const { return digits.empty(); }

    void Multiply(std::uint64_t factor)
    {
        std::uint64_t carry = 0;
        for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
            const std::uint64_t product = static_cast<std::uint64_t>(*it - '0') * factor + carry;
            *it = static_cast<char>('0' + product % 10);
            carry = product / 10;
        }
        for (; carry != 0; carry /= 10, ++point)
            digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
        Normalise();
    }
};

inline int Compare(const Decimal &a, const Decimal &b)
{
    if (a.IsZero() || b.IsZero())
        return static_cast<int>(!a.IsZero()) - static_cast<int>(!b.IsZero());
    if (a.point != b.point)
        return a.point < b.point ? -1 : 1;
    // Same magnitude: with no trailing zeros, digit strings order like the numbers.
    const int order = a.digits.compare(b.digits);
    return (order > 0) - (order < 0);
}

// The exact value of a non-negative long double. 2^-k = 5^k / 10^k; powers of 5 and 2 in
// steps small enough that a digit times one fits 64 bits.
inline Decimal Exact(long double value)
{
    int exponent = 0;
    const long double fraction = std::frexp(value, &exponent);
    auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    exponent -= 64;
    for (; significand != 0 && significand % 2 == 0; significand /= 2)
        ++exponent; // fewer digits to multiply
    Decimal d{std::to_string(significand), 0};
    d.point = static_cast<std::int64_t>(d.digits.size());
    d.Normalise();
    const bool down = exponent < 0;
    int remaining = down ? -exponent : exponent;
    for (; remaining >= 13; remaining -= 13)
        d.Multiply(down ? 1'220'703'125u : 8192u); // 5^13, 2^13
    for (; remaining > 0; --remaining)
        d.Multiply(down ? 5 : 2);
    if (down)
        d.point += exponent;
    return d;
}

struct OracleReading {
    bool negative = false;
    Decimal magnitude; // zero when the text does not begin with a number
};

inline OracleReading ReadByTheRules(std::string_view text)
{
    std::size_t i = 0;
    const auto at = [&](std::string_view set) {
        return i < text.size() && set.find(text[i]) != std::string_view::npos;
    };
    const auto digits = [&] {
        std::string taken;
        while (at("0123456789"))
            taken += text[i++];
        return taken;
    };

    while (at(" \t"))
        ++i;
    OracleReading reading;
    if (at("+-"))
        reading.negative = text[i++] == '-';
    const std::string whole = digits();
    std::string fraction;
    if (at(".")) {
        ++i;
        fraction = digits();
    }
    if (whole.empty() && fraction.empty())
        return {};

    // An exponent without digits adds 0, as if absent. Its value saturates far
    // beyond anything the digits of a text could pull back towards 1.
    std::int64_t exponent = 0;
    if (at("eE")) {
        ++i;
        const bool negativeExponent = at("+-") && text[i++] == '-';
        for (const char c : digits())
            exponent = std::min<std::int64_t>(exponent * 10 + (c - '0'), 1'000'000'000'000'000);
        if (negativeExponent)
            exponent = -exponent;
    }

    reading.magnitude = {whole + fraction, static_cast<std::int64_t>(whole.size()) + exponent};
    reading.magnitude.Normalise();
    if (reading.magnitude.IsZero())
        reading.negative = false;
    return reading;
}

// Whether `value` is the double nearest the exact `reading`, ties to the even significand;
// from halfway to a would-be double at 2^1024 on, the reading is an infinity. Every boundary
// the program decides on (0, 1, whole numbers, 32767.5, -32768.5) is itself a double, so a
// nearest reading never crosses one (it may land on one).
inline bool IsNearestDouble(const OracleReading &reading, double value)
{
    // Midpoints between neighbouring doubles need 54 significant bits and
    // reach below the smallest subnormal; an x87 long double holds them.
    static_assert(std::numeric_limits<long double>::digits >= 64);
    if (std::isnan(value))
        return false;
    if (reading.magnitude.IsZero())
        return value == 0.0;
    if (value != 0.0 && std::signbit(value) != reading.negative)
        return false;

    const double magnitude = std::fabs(value);
    constexpr double kMax = std::numeric_limits<double>::max();
    const long double beyondMax = std::ldexp(1.0L, 1024);
    if (std::isinf(magnitude))
        return Compare(reading.magnitude, Exact((kMax + beyondMax) / 2)) >= 0;

    const bool even = (std::bit_cast<std::uint64_t>(magnitude) & 1) == 0;
    const long double up = magnitude == kMax ? beyondMax : std::nextafter(magnitude, kMax);
    const int toAbove = Compare(reading.magnitude, Exact((magnitude + up) / 2));
    if (toAbove > 0 || (toAbove == 0 && !even))
        return false;
    if (magnitude == 0.0)
        return true;
    const long double down = std::nextafter(magnitude, 0.0);
    const int toBelow = Compare(reading.magnitude, Exact((magnitude + down) / 2));
    return toBelow > 0 || (toBelow == 0 && even);
}

} // namespace zorvane::fuzz
