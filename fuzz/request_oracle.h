// SPDX-License-Identifier: MIT
// What a whole Generate request must give for arbitrary bytes, judged apart
// from the code: the length by the reading rules, the figure through the
// floating-point unit's own rounding, the password from the served bytes.
//
// Input: the length text, then optionally 0xFF and the random source's script: a byte for
// the call it fails from (0 or a multiple of 8: never), a padding byte served once the
// script runs out, then the script. UTF-8 has no 0xFF: every text a window gives is reachable.
#pragma once

#include "figure.h"
#include "generate.h"
#include "reading_oracle.h"
#include "scripted_source.h"
#include "symbols.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::fuzz {

// The figure text as the request describes it, rounding through the
// floating-point unit's own half-to-even rather than the core's
// floor-and-compare; empty when the length itself has no 16-bit figure.
inline std::string ExpectedFigure(double length)
{
    const auto fits = [](double value) { return value >= -32768.0 && value <= 32767.0; };
    double figure = std::nearbyint(length);
    if (!fits(figure))
        return {};
    for (double i = 1; i <= length - 1; ++i) {
        if (!fits(std::nearbyint(figure * (length - i))))
            return std::string(kInfinityText);
        figure = std::nearbyint(figure * (length - i));
    }
    figure = std::nearbyint(figure * 35.0);
    return fits(figure) ? std::to_string(static_cast<std::int16_t>(figure))
                        : std::string(kInfinityText);
}

// What the request for `input` got wrong; empty when nothing.
inline std::string RequestFault(std::string_view input)
{
    const std::size_t separator = input.rfind('\xff');
    const std::string_view text = input.substr(0, separator);
    std::string_view tail =
        separator == std::string_view::npos ? std::string_view() : input.substr(separator + 1);

    std::size_t failFrom = static_cast<std::size_t>(-1);
    std::uint8_t padding = 0;
    if (!tail.empty()) {
        if (const std::size_t call = static_cast<std::uint8_t>(tail.front()) % 8u; call != 0)
            failFrom = call;
        tail.remove_prefix(1);
    }
    if (!tail.empty()) {
        // Padding that every table accepts, or the request would never end.
        padding = static_cast<std::uint8_t>(static_cast<std::uint8_t>(tail.front()) % 245);
        tail.remove_prefix(1);
    }
    const std::vector<std::uint8_t> script(tail.begin(), tail.end());

    const double length = ReadCharCount(text);
    if (!IsNearestDouble(ReadByTheRules(text), length))
        return "ReadCharCount disagrees with the reading rules: read " + std::to_string(length);

    testing::ScriptedSource source(script, padding);
    source.failFrom = failFrom;
    const GeneratedTexts texts = GeneratePassword(text, source);
    // Always "Infinity" or a 16-bit integer's decimal form.
    const std::string figure = ExpectedFigure(length);
    if (texts.figure != (figure.empty() ? kInfinityText : figure))
        return "figure " + texts.figure;

    // The whole part of a length from 1 to the last that rounds into 16 bits.
    const std::size_t characters =
        length >= 1 && length < 32767.5 ? static_cast<std::size_t>(length) : 0;
    if (characters == 0) {
        if (!source.calls.empty())
            return "fetched randomness for no password";
        return texts.password.empty() && !texts.sourceFailed ? "" : "password without a length";
    }
    const bool sourceFailed = source.calls.size() >= failFrom;
    if (texts.sourceFailed != sourceFailed)
        return "source failure not reported as it happened";
    if (sourceFailed)
        return texts.password.empty() ? "" : "password from a failing source";

    // The first `characters` accepted symbols of the served bytes, in order: each
    // row owns an equal run of byte values, and the few left over are rejected.
    std::string expected;
    for (std::size_t next = 0; expected.size() < characters; ++next) {
        const std::uint8_t byte = next < script.size() ? script[next] : padding;
        const std::string_view table = expected.empty() ? LeadLetterTable : SymbolTable;
        const std::size_t perRow = 256 / table.size();
        if (byte < perRow * table.size())
            expected += table[byte / perRow];
    }
    return texts.password == expected ? "" : "password is not the accepted served symbols";
}

} // namespace zorvane::fuzz
