// SPDX-License-Identifier: MIT
// The core. How each text is read, and each length's figure, are judged by the fuzzer's
// exact oracle over the committed fuzz inputs, in every build.
#include "figure.h"
#include "generate.h"
#include "random_source.h"
#include "request_oracle.h"
#include "scripted_source.h"
#include "symbols.h"
#include "wipe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
// windows.h must come first: bcrypt.h relies on its types.
#include <bcrypt.h>
#else
#include <sys/random.h>
#endif

namespace zorvane {
namespace {

using testing::ScriptedSource;

TEST(ReadCharCount, ReadsAMegabytePasteWhole)
{
    const std::size_t megabyte = 1 << 20;
    EXPECT_EQ(ReadCharCount(std::string(megabyte, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadCharCount("3." + std::string(megabyte, '3')), 10.0 / 3.0);
    EXPECT_EQ(ReadCharCount(std::string(megabyte, ' ') + "6"), 6.0);
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

TEST(SymbolTables, HoldEachAllowedSymbolOnce)
{
    std::string lead(LeadLetterTable), symbols(SymbolTable);
    std::ranges::sort(lead);
    std::ranges::sort(symbols);
    EXPECT_EQ(lead, "abcdefghijklmnopqstuvwxyz");
    EXPECT_EQ(symbols, "0123456789abcdefghijklmnopqstuvwxyz");
    // The tables place "u" differently: row 22 of one, the last row of the other.
    EXPECT_EQ(LeadLetterTable.find('u') + 1, 22u);
    EXPECT_EQ(SymbolTable.find('u') + 1, 35u);
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

TEST(DrawSymbol, AFailedFetchLeavesNothingOfItBehind)
{
    ScriptedSource source; // which scribbles over what it is given once it fails
    source.failFrom = 1;
    SymbolDrawer drawer(source, 8);
    EXPECT_EQ(drawer.DrawSymbol(1), std::nullopt);
    EXPECT_EQ(std::count(source.given, source.given + source.calls[0], 0xAB), 0);
}

// Byte 182 draws "t" first and "q" after it: a run of "q" is in no other text here.
constexpr std::uint8_t kSecretByte = 182;

bool HasSecret(const void *bytes, std::size_t size)
{
    return std::string_view(static_cast<const char *>(bytes), size).find("qqqq") !=
           std::string_view::npos;
}

// Whether a password from kSecretByte lingers in `texts` or its password's whole buffer.
bool Lingers(const GeneratedTexts &texts)
{
    return HasSecret(&texts, sizeof texts) ||
           HasSecret(texts.password.data(), texts.password.capacity());
}

TEST(GeneratePassword, WritesTheTextsForKnownBytes)
{
    // Lead row 5 ("e"; "6" in the symbol table), then symbol rows 1, 10, 11, 35.
    ScriptedSource source({40, 0, 63, 70, 244});
    const GeneratedTexts texts = GeneratePassword("5", source);
    EXPECT_EQ(texts.password, "e10au");
    EXPECT_EQ(texts.figure, "4200");
    EXPECT_EQ(source.calls.size(), 1u) << "one bulk fetch per request";
}

TEST(GeneratePassword, AFailingSourceYieldsNoPassword)
{
    for (const std::size_t failingCall : {1u, 2u}) {
        // Part of a password, then rejected bytes enough that call 2 is a refill.
        std::vector<std::uint8_t> script(30, kSecretByte);
        script.resize(1000, 255);
        ScriptedSource source(script);
        source.failFrom = failingCall;
        const GeneratedTexts texts = GeneratePassword("40", source);
        EXPECT_TRUE(texts.sourceFailed);
        EXPECT_EQ(texts.password, "") << "failing call " << failingCall;
        EXPECT_FALSE(Lingers(texts)) << "failing call " << failingCall;
        EXPECT_EQ(texts.figure, "Infinity");
    }
}

TEST(GeneratedTexts, AssigningReplacesEveryTextAndKeepsNoCopy)
{
    ScriptedSource secret({}, kSecretByte);
    ScriptedSource letters({}, 70);
    ScriptedSource failing;
    failing.failFrom = 1;
    const GeneratedTexts others[] = {GeneratePassword("", letters), GeneratePassword("15", letters),
                                     GeneratePassword("40", letters),
                                     GeneratePassword("20", failing)};
    for (const char *length : {"15", "40"}) { // in the object, on the heap
        for (const GeneratedTexts &other : others) {
            GeneratedTexts copied = GeneratePassword(length, secret);
            ASSERT_TRUE(Lingers(copied));
            copied = other;
            GeneratedTexts moved = GeneratePassword(length, secret);
            GeneratedTexts from = other;
            moved = std::move(from);
            for (const GeneratedTexts *texts : {&copied, &moved}) {
                EXPECT_EQ(texts->password, other.password);
                EXPECT_EQ(texts->figure, other.figure);
                EXPECT_EQ(texts->sourceFailed, other.sourceFailed);
            }
            EXPECT_FALSE(Lingers(copied) || Lingers(moved) || Lingers(from))
                << length << " replaced by " << other.password.size() << " characters";
        }
        // A short password's bytes would outlive the object in its storage.
        alignas(GeneratedTexts) unsigned char storage[sizeof(GeneratedTexts)];
        (new (storage) GeneratedTexts(GeneratePassword(length, secret)))->~GeneratedTexts();
        EXPECT_FALSE(HasSecret(storage, sizeof storage)) << length;
    }
}

TEST(SystemRandomSource, PasswordsUseOnlyTheTablesAndDifferEveryTime)
{
    SystemRandomSource source;
    std::set<std::string> seen;
    for (int request = 0; request < 200; ++request) {
        const std::string password = GeneratePassword("20", source).password;
        ASSERT_EQ(password.size(), 20u);
        EXPECT_NE(LeadLetterTable.find(password.front()), std::string_view::npos);
        EXPECT_EQ(password.find_first_not_of(SymbolTable), std::string::npos);
        // Requests made back to back, well within one clock tick, never repeat.
        EXPECT_TRUE(seen.insert(password).second) << password;
    }
}

TEST(SecureWipe, ZeroesTheBytesAndKeepsTheStringsBuffer)
{
    std::array<unsigned char, 40> bytes{};
    bytes.fill(0xA5);
    SecureWipe(bytes.data() + 1, 38);
    EXPECT_EQ(bytes.front(), 0xA5);
    EXPECT_EQ(bytes.back(), 0xA5);
    EXPECT_TRUE(std::all_of(bytes.begin() + 1, bytes.end() - 1, [](auto b) { return b == 0; }));

    // Short texts live in the object, long ones on the heap; both keep characters past the size.
    for (std::string text : {std::string("k3x-secret"), std::string(100, 'q')}) {
        text.resize(text.size() / 2);
        const char *buffer = text.data();
        const std::size_t capacity = text.capacity();
        SecureWipe(text);
        EXPECT_TRUE(text.empty());
        ASSERT_EQ(text.data(), buffer) << "a new buffer would leave the old one unwiped";
        EXPECT_EQ(text.capacity(), capacity);
        EXPECT_EQ(std::count(buffer, buffer + capacity, '\0'), static_cast<long>(capacity));
    }
}

// The stand-in system call's next steps: serve up to that many bytes, or, when negative, fail
// with that errno (any failure on Windows); then the real call. Records every call's size.
std::deque<long> gPlan;
std::vector<std::size_t> gAsked;

std::optional<long> NextStep(unsigned char *buffer, std::size_t size)
{
    gAsked.push_back(size);
    if (gPlan.empty())
        return std::nullopt;
    const long step = gPlan.front();
    gPlan.pop_front();
    if (step < 0)
        return step;
    const std::size_t served = std::min(size, static_cast<std::size_t>(step));
    std::fill_n(buffer, served, std::uint8_t{7});
    return static_cast<long>(served);
}

#if defined(_WIN32)
NTSTATUS WINAPI StandIn(BCRYPT_ALG_HANDLE algorithm, PUCHAR buffer, ULONG size, ULONG flags)
{
    const std::optional<long> step = NextStep(buffer, size);
    if (!step)
        return BCryptGenRandom(algorithm, buffer, size, flags);
    constexpr auto kUnsuccessful = static_cast<NTSTATUS>(0xC0000001); // STATUS_UNSUCCESSFUL
    return *step < 0 ? kUnsuccessful : 0;
}
#else
ssize_t StandIn(void *buffer, std::size_t size, unsigned int flags)
{
    const std::optional<long> step = NextStep(static_cast<unsigned char *>(buffer), size);
    if (!step)
        return getrandom(buffer, size, flags);
    if (*step >= 0)
        return *step;
    errno = static_cast<int>(-*step);
    return -1;
}
#endif

TEST(SystemRandomSource, FetchesAPasswordInOneCallAndMakesNoneWhenTheCallFails)
{
    SystemRandomSource source(&StandIn);
    gAsked.clear();
    EXPECT_EQ(GeneratePassword("32767", source).password.size(), 32767u);
    EXPECT_EQ(gAsked.size(), 1u);

    gPlan = {-EIO};
    const GeneratedTexts texts = GeneratePassword("9", source);
    EXPECT_TRUE(texts.sourceFailed);
    EXPECT_EQ(texts.password, "");
}

#if !defined(_WIN32)
TEST(SystemRandomSource, RetriesAnInterruptionAndGoesOnAfterAShortRead)
{
    SystemRandomSource source(&StandIn);
    std::vector<std::uint8_t> bytes(12, 0);
    gPlan = {-EINTR, 5, 3, 100};
    gAsked.clear();
    EXPECT_TRUE(source.Fill(bytes));
    EXPECT_EQ(gAsked, (std::vector<std::size_t>{12, 12, 7, 4}));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 7), 12);

    // Asking again after a call that served nothing could go on for ever.
    gPlan = {0};
    EXPECT_FALSE(source.Fill(bytes));
}
#endif

class RequestCorpus : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(RequestCorpus, GivesWhatTheRulesSay)
{
    std::ifstream file(GetParam(), std::ios::binary);
    ASSERT_TRUE(file) << GetParam();
    const std::string input{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(fuzz::RequestFault(input), "");
}

std::vector<std::filesystem::path> Inputs()
{
    std::vector<std::filesystem::path> inputs;
    for (const auto &entry : std::filesystem::directory_iterator(ZORVANE_REQUEST_CORPUS))
        inputs.push_back(entry.path());
    std::ranges::sort(inputs);
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, RequestCorpus, ::testing::ValuesIn(Inputs()), [](const auto &input) {
    std::string name = input.param.filename().string();
    std::ranges::replace_if(
        name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

} // namespace
} // namespace zorvane
