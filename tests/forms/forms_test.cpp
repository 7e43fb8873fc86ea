// SPDX-License-Identifier: MIT
// What both front ends take from ui/forms: the windows' rules, and the command
// line without starting either program. What the real Linux program prints and
// returns is checked by command_line_test.sh.
#include "forms/about_window.h"
#include "forms/announcement.h"
#include "forms/command_line.h"
#include "forms/main_window.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace zorvane::forms {
namespace {

using Arguments = std::vector<std::string_view>;

// An environment holding only `variables`.
Environment Only(std::map<std::string, std::string> variables)
{
    return [variables = std::move(variables)](const char *name) -> const char * {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    };
}

TEST(CommandLine, TheFirstArgumentThatDecidesWinsAndQtNeedsADisplay)
{
    const Environment x11 = Only({{"DISPLAY", ":0"}});
    const std::string noDisplay =
        "zorvane: no X11 or Wayland display was found; set DISPLAY or WAYLAND_DISPLAY.\n";
    // Exit code 2 prints this line and the usage; an empty text starts the program.
    const std::tuple<FrontEnd, Arguments, Environment, int, std::string> rows[] = {
        // Qt's options take their value with one dash or two.
        {FrontEnd::Qt, {"--platform", "--help"}, x11, 0, ""},
        {FrontEnd::Qt, {"-display", ":1", "--display", "--version"}, x11, 0, ""},
        {FrontEnd::Qt, {"-display"}, x11, 2, "zorvane: option '-display' needs a value"},
        {FrontEnd::Qt, {"-h", "--bogus"}, x11, 0, Usage(FrontEnd::Qt)},
        {FrontEnd::Qt, {"-x", "--version"}, x11, 2, "zorvane: unknown option '-x'"},
        {FrontEnd::Qt, {"12", "--help"}, x11, 2, "zorvane: unexpected argument '12'"},
        {FrontEnd::Qt, {"/?"}, x11, 2, "zorvane: unexpected argument '/?'"},
        {FrontEnd::Qt, {"-"}, x11, 2, "zorvane: unexpected argument '-'"},
        {FrontEnd::Qt, {}, Only({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}), 1, noDisplay},
        {FrontEnd::Qt, {}, Environment{}, 1, noDisplay},
        {FrontEnd::Qt, {}, x11, 0, ""},
        {FrontEnd::Qt, {}, Only({{"WAYLAND_DISPLAY", "x"}}), 0, ""},
        {FrontEnd::Qt, {}, Only({{"QT_QPA_PLATFORM", "x"}}), 0, ""},
        {FrontEnd::Qt, {"-display", ":0"}, Only({}), 0, ""},
        {FrontEnd::Qt, {"-platform", "xcb"}, Only({}), 0, ""},
        // Windows always has a desktop, and takes no Qt options.
        {FrontEnd::Win32, {"/?"}, {}, 0, Usage(FrontEnd::Win32)},
        {FrontEnd::Win32, {}, {}, 0, ""},
        {FrontEnd::Win32, {"/x"}, {}, 2, "zorvane: unknown option '/x'"},
        {FrontEnd::Win32, {"-platform", "xcb"}, {}, 2, "zorvane: unknown option '-platform'"},
    };
    for (const auto &[frontEnd, arguments, environment, exitCode, text] : rows) {
        const Reply reply = AnswerCommandLine(arguments, frontEnd, environment);
        const std::string first = arguments.empty() ? "" : std::string(arguments[0]);
        EXPECT_EQ(reply.start, text.empty()) << first;
        EXPECT_EQ(reply.exitCode, exitCode) << first;
        EXPECT_EQ(reply.error, exitCode != 0) << first;
        EXPECT_EQ(reply.text, exitCode == 2 ? text + "\n" + Usage(frontEnd) : text) << first;
    }
}

TEST(CommandLine, UsageFitsATerminalAndNamesEveryOptionItTakes)
{
    for (const FrontEnd frontEnd : {FrontEnd::Qt, FrontEnd::Win32}) {
        const std::string usage = Usage(frontEnd);
        std::size_t begin = 0;
        for (std::size_t end; (end = usage.find('\n', begin)) != std::string::npos; begin = end + 1)
            EXPECT_LE(end - begin, 79u) << usage.substr(begin, end - begin);
        EXPECT_EQ(begin, usage.size()) << "the usage ends in a newline";
    }
    for (const char *option : {"\n  -platform NAME ", "\n  -display NAME ", "\n  -h, --help ",
                               "\n  --version ", "\n  /?, --help "})
        EXPECT_NE((Usage(FrontEnd::Qt) + Usage(FrontEnd::Win32)).find(option), std::string::npos)
            << option;
}

TEST(CaptionPixels, ShrinksOnlyWhileTheCaptionDoesNotFitAndNeverBelowTheFloor)
{
    // A face whose captions are 10 pixels wide per pixel of height.
    const auto wide = [](int pixels) { return pixels * 10; };
    EXPECT_EQ(CaptionPixels(13, 200, 96, wide), 13) << "fits as it is";
    EXPECT_EQ(CaptionPixels(13, 106, 96, wide), 10) << "100 pixels of room";
    EXPECT_EQ(CaptionPixels(13, 105, 96, wide), 9);
    EXPECT_EQ(CaptionPixels(13, 20, 96, wide), 8) << "the floor";
    // At other densities the margin (8 pixels at 120 dpi) and the floor scale too.
    EXPECT_EQ(CaptionPixels(16, 117, 120, wide), 10);
    EXPECT_EQ(CaptionPixels(26, 20, 192, wide), 16);
}

TEST(FaceFor, ABitmapFaceGivesWayToItsOutlineWhereNoStrikeFits)
{
    constexpr int strikes[] = {13, 16, 20};
    EXPECT_EQ(FaceFor(kSansSerif, 96, strikes), (Face{"MS Sans Serif", 13}));
    EXPECT_EQ(FaceFor(kSansSerif, 120, strikes), (Face{"MS Sans Serif", 16}));
    EXPECT_EQ(FaceFor(kSansSerif, 144, strikes), (Face{"MS Sans Serif", 20}));
    EXPECT_EQ(FaceFor(kSansSerif, 192, strikes), (Face{"Microsoft Sans Serif", 26}));
    EXPECT_EQ(FaceFor(kSansSerif, 288, strikes), (Face{"Microsoft Sans Serif", 39}));
    EXPECT_EQ(FaceFor(kSansSerif, 192, {}), (Face{"MS Sans Serif", 26})) << "it scales";
    EXPECT_EQ(FaceFor(kTahomaBold, 192, strikes), (Face{"Tahoma", 26})) << "no companion";
    EXPECT_EQ(FontPixels(kSansSerif, 144), 20) << "9.75 points at 144 dpi";
}

TEST(RenditionFor, TakesTheNearestPictureAtOrAboveTheScaleAndNoneBeyondThree)
{
    // {dpi, rendition}: 125% and 150% scale the 2x picture down; past 200%
    // the 3x one; below 100% and above 300% the nearest there is.
    const std::pair<int, int> rows[] = {{72, 1},  {96, 1},  {97, 2},  {120, 2}, {144, 2},
                                        {192, 2}, {193, 3}, {288, 3}, {480, 3}};
    for (const auto &[dpi, rendition] : rows)
        EXPECT_EQ(RenditionFor(dpi), rendition) << dpi;
    EXPECT_EQ(RenditionFor(DpiOfRatio(1.25)), 2);
    EXPECT_EQ(DpiOfRatio(1.5), 144);
    EXPECT_EQ(DpiOfRatio(1.0), 96);
}

TEST(AnnouncementAfter, CountsOneCharacterInTheSingular)
{
    EXPECT_EQ(AnnouncementAfter(1, "35", false).text,
              "New password, 1 character. Number of Combinations: 35.");
}

} // namespace
} // namespace zorvane::forms
