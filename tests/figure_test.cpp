// SPDX-License-Identifier: MIT
#include "figure.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace zorvane {
namespace {

TEST(CombinationFigure, LengthsOutsideTheSixteenBitRangeHaveNoFigure)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (const double charCount : {32767.5, 32768.0, -32769.5, 1e308, inf, -inf, std::nan("")})
        EXPECT_FALSE(CombinationFigure(charCount).has_value()) << charCount;
    // Halves round to even, so these still start a figure.
    EXPECT_TRUE(CombinationFigure(32767.4).has_value());
    EXPECT_TRUE(CombinationFigure(-32768.5).has_value());
}

TEST(ToFigure, RoundsHalvesToEvenAndDetectsOverflow)
{
    const std::pair<double, std::optional<std::int16_t>> rows[] = {
        {2.5, 2},      {3.5, 4},           {-2.5, -2},         {-3.5, -4},
        {0.5, 0},      {1.5, 2},           {-0.5, 0},          {0.49999999999999994, 0},
        {2.6, 3},      {-2.6, -3},         {32767.0, 32767},   {32767.49, 32767},
        {32767.5, {}}, {-32768.0, -32768}, {-32768.5, -32768}, {-32768.51, {}},
        {65536.0, {}}, {1e300, {}},        {-1e300, {}},
    };
    for (const auto &[value, expected] : rows)
        EXPECT_EQ(ToFigure(value), expected) << value;
}

TEST(ReadCharCount, TakesOnlyTheLeadingNumber)
{
    const std::pair<const char *, double> rows[] = {
        {"12abc", 12},  {"  7", 7},     {"\t7", 7},      {"+5", 5},
        {"-3", -3},     {"2.5", 2.5},   {".5", 0.5},     {"5.", 5},
        {"1 2", 1},     {"3e", 3},      {"3e+", 3},      {"1e3", 1000},
        {"2E-1", 0.2},  {"1.5e1x", 15}, {"007", 7},      {"1,5", 1},
        {"1.2.3", 1.2}, {"--5", 0},     {"+-5", 0},      {"- 5", 0},
        {".", 0},       {"-", 0},       {"e5", 0},       {"x12", 0},
        {"\n5", 0},     {"inf", 0},     {"-inf", 0},     {"infinity", 0},
        {"nan", 0},     {"NaN(1)", 0},  {"0x1p3", 0},    {"0x10", 0},
        {"&H10", 0},    {"1_000", 1},   {"\xd9\xa5", 0}, {"\xef\xbc\x95", 0},
    };
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(ReadCharCount(text), expected) << '"' << text << '"';
}

TEST(ReadCharCount, ReadsAMegabytePasteWhole)
{
    const std::size_t megabyte = 1 << 20;
    EXPECT_EQ(ReadCharCount(std::string(megabyte, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadCharCount(std::string(megabyte, '0') + "12"), 12.0);
    EXPECT_EQ(ReadCharCount("0." + std::string(megabyte, '0') + "1"), 0.0);
    EXPECT_EQ(ReadCharCount("3." + std::string(megabyte, '3')), 10.0 / 3.0);
    EXPECT_EQ(ReadCharCount(std::string(megabyte, ' ') + "6"), 6.0);
    EXPECT_EQ(ReadCharCount(std::string(megabyte, '-')), 0.0);
}

TEST(ReadCharCount, IgnoresTheProcessLocale)
{
    // A locale whose decimal separator is ",". Windows names it differently.
#if defined(_WIN32)
    const char *german = "German_Germany.1252";
#else
    const char *german = "de_DE.UTF-8";
#endif
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, german), nullptr)
        << "the German locale is missing; scripts/install-deps creates it";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    EXPECT_EQ(ReadCharCount("2.5"), 2.5);
    EXPECT_EQ(ReadCharCount("2,5"), 2.0);
    EXPECT_EQ(FigureText(*CombinationFigure(ReadCharCount("3.5"))), "525");
    EXPECT_EQ(FigureText(*CombinationFigure(ReadCharCount("-936"))), "-32760");

    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
} // namespace zorvane
