// SPDX-License-Identifier: MIT
// A second reading of the length text, kept apart from ReadCharCount: it
// follows the rules written above ReadCharCount, carries the number as exact
// decimal digits instead of parsing a double, and judges a double against it
// by exact decimal comparison. Written to be obviously right, not fast.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace zorvane::fuzz {

// A non-negative number held exactly: 0.d1d2d3... times 10^point, with no
// leading or trailing zero digit. Zero has no digits.
struct Decimal {
    std::string digits;
    std::int64_t point = 0;

    void Normalise()
    {
        const std::size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos) {
            digits.clear();
            point = 0;
            return;
        }
        digits.erase(0, first);
        point -= static_cast<std::int64_t>(first);
        digits.erase(digits.find_last_not_of('0') + 1);
    }

    [[nodiscard]] bool IsZero() const { return digits.empty(); }

    // Multiplies by a small factor, digit by digit from the right.
    void Multiply(std::uint64_t factor)
    {
        std::uint64_t carry = 0;
        for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
            const std::uint64_t product = static_cast<std::uint64_t>(*it - '0') * factor + carry;
            *it = static_cast<char>('0' + product % 10);
            carry = product / 10;
        }
        for (; carry != 0; carry /= 10) {
            digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
            ++point;
        }
        Normalise();
    }
};

inline Decimal FromInteger(std::uint64_t n)
{
    Decimal d{std::to_string(n), 0};
    d.point = static_cast<std::int64_t>(d.digits.size());
    d.Normalise();
    return d;
}

// n times 2^exponent, exactly. A negative power of two is a power of five
// shifted right: 2^-k = 5^k / 10^k.
inline Decimal ScaledByPowerOfTwo(std::uint64_t n, int exponent)
{
    Decimal d = FromInteger(n);
    if (d.IsZero())
        return d;
    int remaining = exponent < 0 ? -exponent : exponent;
    // Steps small enough that a digit times the factor fits 64 bits easily.
    const int step = exponent < 0 ? 13 : 31;
    const std::uint64_t stepFactor = exponent < 0 ? 1'220'703'125u : (1u << 31); // 5^13, 2^31
    for (; remaining >= step; remaining -= step)
        d.Multiply(stepFactor);
    for (; remaining > 0; --remaining)
        d.Multiply(exponent < 0 ? 5 : 2);
    if (exponent < 0)
        d.point += exponent;
    return d;
}

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

struct OracleReading {
    bool negative = false;
    Decimal magnitude; // zero when the text does not begin with a number
};

// The reading rules, applied one character at a time.
inline OracleReading ReadByTheRules(std::string_view text)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;

    OracleReading reading;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        reading.negative = text[i++] == '-';

    std::string whole;
    std::string fraction;
    while (i < text.size() && isDigit(text[i]))
        whole += text[i++];
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            fraction += text[i++];
    }
    if (whole.empty() && fraction.empty())
        return {};

    // An exponent counts only with at least one digit. Its value saturates far
    // beyond anything the digits of a text could pull back towards 1.
    constexpr std::int64_t kSaturated = 1'000'000'000'000'000; // 1e15
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            negativeExponent = text[j++] == '-';
        for (; j < text.size() && isDigit(text[j]); ++j)
            exponent = std::min(exponent * 10 + (text[j] - '0'), kSaturated);
        if (negativeExponent)
            exponent = -exponent;
    }

    reading.magnitude.digits = whole + fraction;
    reading.magnitude.point = static_cast<std::int64_t>(whole.size()) + exponent;
    reading.magnitude.Normalise();
    if (reading.magnitude.IsZero())
        reading.negative = false;
    return reading;
}

// Whether `value` is the double nearest the exact `reading`, ties to the even
// significand, with the overflow and underflow rules: beyond the largest
// double by at least half its spacing reads as an infinity, and at most half
// the smallest spacing reads as zero. Every boundary the program decides on
// (0, 1, whole numbers, the 16-bit limits 32767.5 and -32768.5) is itself a
// double, so a nearest reading always lies on the same side of each of them
// as the text, and has the text's whole part whenever that is below 2^53
// (where it can round up only to the next whole number, from within half a
// spacing of it).
inline bool IsNearestDouble(const OracleReading &reading, double value)
{
    if (std::isnan(value))
        return false;
    if (reading.magnitude.IsZero())
        return value == 0.0;
    if (value != 0.0 && std::signbit(value) != reading.negative)
        return false;
    const double magnitude = std::fabs(value);

    // The largest double is (2^53 - 1) * 2^971; halfway to the next would-be
    // double is (2^54 - 1) * 2^970.
    static const Decimal overflowFrom = ScaledByPowerOfTwo((std::uint64_t{1} << 54) - 1, 970);
    if (std::isinf(magnitude))
        return Compare(reading.magnitude, overflowFrom) >= 0;

    // magnitude = significand * 2^exponent, on the grid of its binade.
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int exponent = binaryExponent - 53;
    constexpr int kMinExponent = -1074; // the spacing of the subnormals
    if (magnitude == 0.0) {
        significand = 0;
        exponent = kMinExponent;
    } else if (exponent < kMinExponent) {
        significand >>= kMinExponent - exponent;
        exponent = kMinExponent;
    }

    // The halfway points to the neighbouring doubles. At the bottom of a
    // binade the spacing below is half as wide.
    const bool binadeBottom = significand == (std::uint64_t{1} << 52) && exponent > kMinExponent;
    const Decimal above = ScaledByPowerOfTwo(2 * significand + 1, exponent - 1);
    const int toAbove = Compare(reading.magnitude, above);
    const bool even = significand % 2 == 0;
    if (toAbove > 0 || (toAbove == 0 && !even))
        return false;
    if (significand == 0)
        return true;
    const Decimal below = binadeBottom ? ScaledByPowerOfTwo(4 * significand - 1, exponent - 2)
                                       : ScaledByPowerOfTwo(2 * significand - 1, exponent - 1);
    const int toBelow = Compare(reading.magnitude, below);
    return toBelow > 0 || (toBelow == 0 && even);
}

// The decimal text of `reading`, for failure messages.
inline std::string Describe(const OracleReading &reading)
{
    if (reading.magnitude.IsZero())
        return "0";
    return std::string(reading.negative ? "-" : "") + "0." + reading.magnitude.digits + "e" +
           std::to_string(reading.magnitude.point);
}

} // namespace zorvane::fuzz
