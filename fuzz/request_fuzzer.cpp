// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes through a whole Generate request and checks what the
// window would be given.
//
// Input: the length text, optionally followed by 0xFF and a script for the
// random source: one byte choosing the call from which the source fails (0 or
// a multiple of 8: never), one padding byte served once the script runs out,
// then the script. UTF-8 never contains 0xFF, so every text a window can hand
// over stays reachable, and a text with 0xFF in it is still tried whole.
#include "figure.h"
#include "generate.h"
#include "reading_oracle.h"
#include "scripted_source.h"
#include "symbols.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

using zorvane::testing::ScriptedSource;

[[noreturn]] void Fail(const char *what, std::string_view text)
{
    std::fprintf(stderr, "request fuzzer: %s (text of %zu bytes)\n", what, text.size());
    std::abort();
}

void Check(bool ok, const char *what, std::string_view text)
{
    if (!ok)
        Fail(what, text);
}

// Rounding half to even through the floating-point unit's own rounding, not
// the core's floor-and-compare.
std::optional<int> Rounded16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<int>(rounded);
}

// The figure as the request describes it: the length, times each of the
// lengths below it that are at least 1 apart from it, times 35.
std::optional<zorvane::Combinations> ExpectedFigure(double charCount)
{
    const std::optional<int> start = Rounded16(charCount);
    if (!start)
        return std::nullopt;
    zorvane::Combinations figure{static_cast<std::int16_t>(*start), false};
    for (double i = 1; i <= charCount - 1; ++i) {
        const std::optional<int> next = Rounded16(figure.combinations * (charCount - i));
        if (!next)
            return zorvane::Combinations{figure.combinations, true};
        figure.combinations = static_cast<std::int16_t>(*next);
    }
    const std::optional<int> last = Rounded16(figure.combinations * 35.0);
    if (!last)
        return zorvane::Combinations{figure.combinations, true};
    figure.combinations = static_cast<std::int16_t>(*last);
    return figure;
}

// "Infinity", or the plain decimal form of a 16-bit integer.
bool IsFigureText(const std::string &figure)
{
    if (figure == zorvane::kInfinityText)
        return true;
    int value = 0;
    const char *end = figure.data() + figure.size();
    const auto [ptr, ec] = std::from_chars(figure.data(), end, value);
    return ec == std::errc() && ptr == end && value >= -32768 && value <= 32767 &&
           std::to_string(value) == figure;
}

// The first `length` accepted symbols of the bytes the source served, in order:
// 10 byte values per lead row, 7 per symbol row, the rest rejected.
std::string ExpectedPassword(std::span<const std::uint8_t> served, std::size_t length)
{
    std::string password;
    for (const std::uint8_t byte : served) {
        if (password.size() == length)
            break;
        const bool lead = password.empty();
        const std::string_view table = lead ? zorvane::LeadLetterTable : zorvane::SymbolTable;
        const std::size_t perRow = lead ? 10 : 7;
        if (byte < perRow * table.size())
            password += table[byte / perRow];
    }
    return password;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
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

    // The reading, against the oracle.
    const double charCount = zorvane::ReadCharCount(text);
    const zorvane::fuzz::OracleReading oracle = zorvane::fuzz::ReadByTheRules(text);
    if (!zorvane::fuzz::IsNearestDouble(oracle, charCount)) {
        std::fprintf(stderr, "read %.17g, expected %s\n", charCount,
                     zorvane::fuzz::Describe(oracle).c_str());
        Fail("ReadCharCount disagrees with the reading rules", text);
    }

    // The figure, against a second computation of it.
    const std::optional<zorvane::Combinations> figure = zorvane::CombinationFigure(charCount);
    const std::optional<zorvane::Combinations> expected = ExpectedFigure(charCount);
    Check(figure.has_value() == expected.has_value(), "figure exists for one side only", text);
    if (figure) {
        Check(figure->overflowed == expected->overflowed, "overflow differs", text);
        Check(figure->combinations == expected->combinations, "figure differs", text);
    }

    // The whole request.
    ScriptedSource source(script, padding);
    source.FailFromCall(failFrom);
    const zorvane::GeneratedTexts texts = zorvane::GeneratePassword(text, source);
    Check(IsFigureText(texts.figure), "figure text out of form", text);
    Check(texts.figure ==
              (figure ? zorvane::FigureText(*figure) : std::string(zorvane::kInfinityText)),
          "request shows another figure", text);
    Check(texts.caption == zorvane::kAnotherOneCaption, "caption", text);

    const std::size_t length = zorvane::PasswordLength(charCount);
    Check(length <= 32767, "length beyond the 16-bit limit", text);
    Check(length ==
              (charCount >= 1 && figure ? static_cast<std::size_t>(std::floor(charCount)) : 0),
          "length is not the whole part", text);
    if (length == 0) {
        Check(source.calls().empty(), "fetched randomness for no password", text);
        Check(texts.password.empty() && !texts.sourceFailed, "password without a length", text);
        return 0;
    }

    const bool sourceFailed = source.calls().size() >= failFrom;
    Check(texts.sourceFailed == sourceFailed, "source failure not reported as it happened", text);
    if (sourceFailed) {
        Check(texts.password.empty(), "password from a failing source", text);
        return 0;
    }
    Check(texts.password.size() == length, "password length", text);
    Check(zorvane::LeadLetterTable.find(texts.password.front()) != std::string_view::npos,
          "first symbol outside the lead table", text);
    Check(texts.password.find_first_not_of(zorvane::SymbolTable) == std::string::npos,
          "symbol outside the tables", text);

    std::size_t servedCount = 0;
    for (const std::size_t call : source.calls())
        servedCount += call;
    std::vector<std::uint8_t> served(script);
    served.resize(std::max(servedCount, script.size()), padding);
    served.resize(servedCount);
    Check(texts.password == ExpectedPassword(served, length),
          "password is not drawn from the served bytes in order", text);
    return 0;
}
