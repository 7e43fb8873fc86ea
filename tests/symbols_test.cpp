// SPDX-License-Identifier: MIT
#include "symbols.h"

#include "random_source.h"
#include "scripted_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace zorvane {
namespace {

using testing::ScriptedSource;

TEST(SymbolTables, HoldEachAllowedSymbolOnce)
{
    std::string lead(LeadLetterTable), symbols(SymbolTable);
    std::ranges::sort(lead);
    std::ranges::sort(symbols);
    EXPECT_EQ(lead, "abcdefghijklmnopqstuvwxyz");
    EXPECT_EQ(symbols, "0123456789abcdefghijklmnopqstuvwxyz");
    EXPECT_EQ(SymbolTable.substr(0, 10), "1234567890");
    // The tables place "u" differently: row 22 of one, the last row of the other.
    EXPECT_EQ(LeadLetterTable.find('u') + 1, 22u);
    EXPECT_EQ(SymbolTable.find('u') + 1, 35u);
}

TEST(DrawSymbol, MapsEachRowToAnEqualRunOfByteValues)
{
    // The lead table gives 10 byte values to a row, the symbol table 7.
    const std::tuple<std::size_t, std::uint8_t, char> rows[] = {
        {1, 9, 'a'},  {1, 10, 'b'},  {1, 249, 'z'}, {2, 0, '1'},
        {2, 63, '0'}, {2, 238, 'u'}, {2, 244, 'u'}, {9999, 69, '0'},
    };
    for (const auto &[position, byte, symbol] : rows) {
        ScriptedSource source({byte});
        SymbolDrawer drawer(source, 1);
        EXPECT_EQ(drawer.DrawSymbol(position), symbol)
            << "position " << position << ", byte " << int{byte};
    }
}

TEST(DrawSymbol, RejectsTheBytesAboveTheLastFullRow)
{
    // 250..255 cannot serve the 25 rows evenly, 245..255 not the 35 rows.
    ScriptedSource source({250, 255, 249, 245, 255, 0, 244});
    SymbolDrawer drawer(source, 3);
    EXPECT_EQ(drawer.DrawSymbol(1), 'z');
    EXPECT_EQ(drawer.DrawSymbol(2), '1');
    EXPECT_EQ(drawer.DrawSymbol(3), 'u');
}

TEST(DrawSymbol, ReportsAFailingSource)
{
    // On the first fetch or on a refill, not papered over, and nor after it.
    for (const std::size_t failFrom : {1u, 2u}) {
        ScriptedSource source(std::vector<std::uint8_t>(100, 255)); // rejected by every table
        source.failFrom = failFrom;
        SymbolDrawer drawer(source, 1);
        EXPECT_EQ(drawer.DrawSymbol(1), std::nullopt) << "failing call " << failFrom;
        EXPECT_EQ(drawer.DrawSymbol(2), std::nullopt) << "failing call " << failFrom;
    }
}

TEST(DrawSymbol, RefillsWhenRejectionsExhaustTheBatchAndWipesTheSpentBytes)
{
    // A first batch smaller than a refill grows the buffer, a larger one
    // shrinks it; either would carry the spent bytes over unless wiped.
    for (const std::size_t expectedDraws : {1u, 500u}) {
        ScriptedSource source(std::vector<std::uint8_t>(600, 250)); // rejected by every table
        SymbolDrawer drawer(source, expectedDraws);
        EXPECT_EQ(drawer.DrawSymbol(1), 'a');
        EXPECT_GT(source.calls.size(), 1u);
        EXPECT_EQ(source.unwiped, 0u) << expectedDraws << " draws";
    }
}

} // namespace
} // namespace zorvane
