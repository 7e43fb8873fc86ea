// SPDX-License-Identifier: MIT
#include "generate.h"

#include "random_source.h"
#include "scripted_source.h"
#include "symbols.h"

#include <gtest/gtest.h>

#include <new>
#include <set>
#include <string_view>
#include <tuple>
#include <utility>

namespace zorvane {
namespace {

using testing::ScriptedSource;

// Byte 182 draws "t" first and "q" after it: a run of "q" is in no other
// text here.
constexpr std::uint8_t kSecretByte = 182;

bool HasSecret(const void *bytes, std::size_t size)
{
    return std::string_view(static_cast<const char *>(bytes), size).find("qqqq") !=
           std::string_view::npos;
}

// Whether part of a password drawn from kSecretByte lingers in the bytes `texts`
// owns: its own (a short text lives there) and its password's whole buffer.
bool Lingers(const GeneratedTexts &texts)
{
    return HasSecret(&texts, sizeof texts) ||
           HasSecret(texts.password.data(), texts.password.capacity());
}

TEST(GeneratePassword, WritesTheTextsForKnownBytes)
{
    // Lead row 5 ("e", where the symbol table has "6"), then symbol rows 1,
    // 10, 11, 35: "1", "0", "a", "u".
    ScriptedSource source({40, 0, 63, 70, 244});
    const GeneratedTexts texts = GeneratePassword("5", source);
    EXPECT_EQ(texts.password, "e10au");
    EXPECT_EQ(texts.figure, "4200");
    EXPECT_EQ(source.calls.size(), 1u) << "one bulk fetch per request";
}

TEST(GeneratePassword, FollowsTheLengthTable)
{
    // 200 x 35 would fit a figure; 200 x 199 does not.
    const char *inf = "Infinity";
    const std::tuple<const char *, std::size_t, const char *> rows[] = {
        {"", 0, "0"},          {"hello", 0, "0"},       {"0", 0, "0"},       {"0.5", 0, "0"},
        {"-0.5", 0, "0"},      {"0.99", 0, "35"},       {"1", 1, "35"},      {"1.5", 1, "70"},
        {"2", 2, "70"},        {"2.5", 2, "105"},       {"3", 3, "210"},     {"3.5", 3, "525"},
        {"4", 4, "840"},       {"5", 5, "4200"},        {"6", 6, "25200"},   {"7", 7, inf},
        {"8", 8, inf},         {"12abc", 12, inf},      {"200", 200, inf},   {"-1", 0, "-35"},
        {"-3", 0, "-105"},     {"-936", 0, "-32760"},   {"-937", 0, inf},    {"-32768", 0, inf},
        {"32767", 32767, inf}, {"32767.4", 32767, inf}, {"32767.5", 0, inf}, {"32768", 0, inf},
        {"-99999", 0, inf},    {"1e308", 0, inf},       {"1e999", 0, inf},
    };
    for (const auto &[text, length, figure] : rows) {
        ScriptedSource source;
        const GeneratedTexts texts = GeneratePassword(text, source);
        EXPECT_EQ(texts.password.size(), length) << text;
        EXPECT_EQ(texts.figure, figure) << text;
        EXPECT_FALSE(texts.sourceFailed) << text;
    }
}

TEST(GeneratePassword, AFailingSourceYieldsNoPassword)
{
    for (const std::size_t failingCall : {1u, 2u}) {
        // Part of a password, then enough rejected bytes to empty the first
        // batch, so call 2 is a refill.
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

} // namespace
} // namespace zorvane
