// SPDX-License-Identifier: MIT
// The characters a password may contain, and how one position's character is drawn.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zorvane {

class RandomSource;

// Rows in their stored order: row 1 is index 0. Neither table has "r" or any
// uppercase letter, and they place "u" differently; both are deliberate.
inline constexpr std::string_view LeadLetterTable = "abcdefghijklmnopq"
                                                    "stvwuxyz";
inline constexpr std::string_view SymbolTable = "1234567890"
                                                "abcdefghijklmnopq"
                                                "stvwxyzu";
static_assert(LeadLetterTable.size() == 25);
static_assert(SymbolTable.size() == 35);

namespace detail {

// Maps each random byte to a row's symbol. Every row owns the same number of
// consecutive byte values (10 for 25 rows, 7 for 35); the few values above the
// last full row map to 0 and are rejected, so no row is favoured.
constexpr std::array<char, 256> SymbolByByte(std::string_view table)
{
    std::array<char, 256> map{};
    const std::size_t perRow = map.size() / table.size();
    for (std::size_t byte = 0; byte < perRow * table.size(); ++byte)
        map[byte] = table[byte / perRow];
    return map;
}

inline constexpr std::array<char, 256> kLeadByByte = SymbolByByte(LeadLetterTable);
inline constexpr std::array<char, 256> kSymbolByByte = SymbolByByte(SymbolTable);

} // namespace detail

// Draws the symbols of one request from bytes fetched in bulk, so that a
// whole password usually costs a single call into the random source.
class SymbolDrawer {
public:
    // `expectedDraws` is the number of positions the request will draw.
    SymbolDrawer(RandomSource &source, std::size_t expectedDraws);
    // Wipes the random bytes it fetched: they would tell the password.
    ~SymbolDrawer();
    SymbolDrawer(const SymbolDrawer &) = delete;
    SymbolDrawer &operator=(const SymbolDrawer &) = delete;

    // The symbol for 1-based `position`: from LeadLetterTable for position 1,
    // from SymbolTable after it, every row equally likely. Empty only when the
    // random source failed; the request must then produce no password.
    [[nodiscard]] std::optional<char> DrawSymbol(std::size_t position);

    // DrawSymbol for positions `firstPosition`, `firstPosition` + 1, ... into
    // each element of `symbols` in turn. False when the random source failed;
    // `symbols` then holds nothing usable.
    [[nodiscard]] bool DrawSymbols(std::size_t firstPosition, std::span<char> symbols);

private:
    [[nodiscard]] bool Refill();

    RandomSource &source_;
    std::size_t firstBatch_;
    std::vector<std::uint8_t> buffer_;
    std::size_t next_ = 0;
};

} // namespace zorvane
