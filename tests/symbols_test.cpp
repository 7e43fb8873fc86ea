// SPDX-License-Identifier: MIT
#include "symbols.h"

#include "random_source.h"
#include "scripted_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zorvane {
namespace {

using testing::ScriptedSource;

std::string Sorted(std::string_view text)
{
    std::string sorted(text);
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

TEST(SymbolTables, HoldEachAllowedSymbolOnce)
{
    EXPECT_EQ(Sorted(LeadLetterTable), "abcdefghijklmnopqstuvwxyz");
    EXPECT_EQ(Sorted(SymbolTable), "0123456789abcdefghijklmnopqstuvwxyz");
    EXPECT_EQ(SymbolTable.substr(0, 10), "1234567890");
    // The tables place "u" differently: row 22 of one, the last row of the other.
    EXPECT_EQ(LeadLetterTable.find('u') + 1, 22u);
    EXPECT_EQ(SymbolTable.find('u') + 1, 35u);
    EXPECT_EQ(LeadLetterTable.back(), 'z');
}

TEST(DrawSymbol, MapsEachRowToAnEqualRunOfByteValues)
{
    // The lead table gives 10 byte values to a row, the symbol table 7.
    const struct {
        std::size_t position;
        std::uint8_t byte;
        char symbol;
    } rows[] = {
        {1, 9, 'a'},  {1, 10, 'b'},  {1, 249, 'z'}, {2, 0, '1'},
        {2, 63, '0'}, {2, 238, 'u'}, {2, 244, 'u'}, {9999, 69, '0'},
    };
    for (const auto &row : rows) {
        ScriptedSource source({row.byte});
        SymbolDrawer drawer(source, 1);
        EXPECT_EQ(drawer.DrawSymbol(row.position), row.symbol)
            << "position " << row.position << ", byte " << int{row.byte};
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

TEST(DrawSymbol, RefillsWhenRejectionsExhaustTheBatch)
{
    // A batch of nothing but rejected bytes forces a refill, not a failure.
    std::vector<std::uint8_t> rejected(200, 255);
    rejected.push_back(3);
    ScriptedSource unlucky(rejected);
    SymbolDrawer patient(unlucky, 1);
    EXPECT_EQ(patient.DrawSymbol(1), 'a');
    EXPECT_GT(unlucky.calls().size(), 1u);
}

TEST(DrawSymbol, ReportsAFailingSource)
{
    ScriptedSource source;
    source.FailFromCall(1);
    SymbolDrawer drawer(source, 8);
    EXPECT_EQ(drawer.DrawSymbol(1), std::nullopt);
    EXPECT_EQ(drawer.DrawSymbol(2), std::nullopt) << "nor after it";

    // A failure on a refill is reported too, not papered over.
    ScriptedSource later(std::vector<std::uint8_t>(100, 255));
    later.FailFromCall(2);
    SymbolDrawer refilling(later, 1);
    EXPECT_EQ(refilling.DrawSymbol(1), std::nullopt);
}

// Serves bytes every table rejects, then keeps what the refill hands it back.
class RefillWatcher final : public RandomSource {
public:
    bool Fill(std::span<std::uint8_t> bytes) override
    {
        if (calls_++ != 0)
            handedBack_.assign(bytes.begin(), bytes.end());
        const std::uint8_t served = calls_ == 1 ? 250 : 0;
        std::fill(bytes.begin(), bytes.end(), served);
        return true;
    }
    [[nodiscard]] const std::vector<std::uint8_t> &handedBack() const { return handedBack_; }

private:
    int calls_ = 0;
    std::vector<std::uint8_t> handedBack_;
};

TEST(DrawSymbol, WipesSpentBytesBeforeARefill)
{
    // A first batch smaller than a refill grows the buffer, a larger one
    // shrinks it; either would carry the spent bytes over unless wiped.
    for (const std::size_t expectedDraws : {1u, 500u}) {
        RefillWatcher source;
        SymbolDrawer drawer(source, expectedDraws);
        EXPECT_EQ(drawer.DrawSymbol(1), 'a');
        ASSERT_FALSE(source.handedBack().empty());
        EXPECT_EQ(std::count(source.handedBack().begin(), source.handedBack().end(), 0),
                  static_cast<long>(source.handedBack().size()))
            << expectedDraws << " draws";
    }
}

} // namespace
} // namespace zorvane
