// SPDX-License-Identifier: MIT
// The command line of both programs, without starting either. What the real
// Linux program prints and returns is checked by command_line_test.sh.
#include "forms/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
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

const Environment kX11 = Only({{"DISPLAY", ":0"}});

std::string FirstLine(const std::string &text)
{
    return text.substr(0, text.find('\n'));
}

TEST(CommandLine, QtOptionsTakeTheirValueWithOneDashOrTwo)
{
    for (const Arguments &arguments :
         {Arguments{"-platform", "offscreen"}, Arguments{"--platform", "--help"},
          Arguments{"-display", ":1", "--display", "--version"}}) {
        const Reply reply = AnswerCommandLine(arguments, FrontEnd::Qt, kX11);
        EXPECT_TRUE(reply.start) << arguments[0] << " " << arguments[1];
        EXPECT_EQ(reply.text, "");
    }
    const Reply missing = AnswerCommandLine(Arguments{"-display"}, FrontEnd::Qt, kX11);
    EXPECT_FALSE(missing.start);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(FirstLine(missing.text), "zorvane: option '-display' needs a value");
}

TEST(CommandLine, TheFirstArgumentThatDecidesWins)
{
    const Reply help = AnswerCommandLine(Arguments{"-h", "--bogus"}, FrontEnd::Qt, kX11);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_FALSE(help.error);
    EXPECT_EQ(help.text, Usage(FrontEnd::Qt));

    const Reply mistake = AnswerCommandLine(Arguments{"-x", "--version"}, FrontEnd::Qt, kX11);
    EXPECT_EQ(mistake.exitCode, 2);
    EXPECT_TRUE(mistake.error);
    EXPECT_EQ(mistake.text, "zorvane: unknown option '-x'\n" + Usage(FrontEnd::Qt));

    const Reply stray = AnswerCommandLine(Arguments{"12", "--help"}, FrontEnd::Qt, kX11);
    EXPECT_EQ(FirstLine(stray.text), "zorvane: unexpected argument '12'");
}

TEST(CommandLine, QtStartsOnlyWhereItCanFindADisplay)
{
    const std::string noDisplay =
        "zorvane: no X11 or Wayland display was found; set DISPLAY or WAYLAND_DISPLAY.\n";
    for (const Environment &environment :
         {Only({}), Only({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}),
          Environment{}}) {
        const Reply reply = AnswerCommandLine({}, FrontEnd::Qt, environment);
        EXPECT_FALSE(reply.start);
        EXPECT_EQ(reply.exitCode, 1);
        EXPECT_TRUE(reply.error);
        EXPECT_EQ(reply.text, noDisplay);
    }
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        EXPECT_TRUE(AnswerCommandLine({}, FrontEnd::Qt, Only({{variable, "x"}})).start) << variable;
    EXPECT_TRUE(AnswerCommandLine(Arguments{"-display", ":0"}, FrontEnd::Qt, Only({})).start);
    EXPECT_TRUE(AnswerCommandLine(Arguments{"-platform", "xcb"}, FrontEnd::Qt, Only({})).start);
    // Help and the version need no display.
    EXPECT_EQ(AnswerCommandLine(Arguments{"--version"}, FrontEnd::Qt, Only({})).text,
              "zorvane " + std::string(Version()) + "\n");
}

TEST(CommandLine, WindowsTakesItsOwnHelpSwitchAndNoQtOptions)
{
    const Reply help = AnswerCommandLine(Arguments{"/?"}, FrontEnd::Win32);
    EXPECT_FALSE(help.start);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.text, Usage(FrontEnd::Win32));
    EXPECT_NE(help.text.find("/?"), std::string::npos);

    // No display check: Windows always has a desktop.
    EXPECT_TRUE(AnswerCommandLine({}, FrontEnd::Win32).start);
    EXPECT_EQ(FirstLine(AnswerCommandLine(Arguments{"/x"}, FrontEnd::Win32).text),
              "zorvane: unknown option '/x'");
    EXPECT_EQ(AnswerCommandLine(Arguments{"-platform", "xcb"}, FrontEnd::Win32).exitCode, 2);
    EXPECT_EQ(FirstLine(AnswerCommandLine(Arguments{"/?"}, FrontEnd::Qt, kX11).text),
              "zorvane: unexpected argument '/?'");
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
    const std::string usage = Usage(FrontEnd::Qt);
    for (const char *option :
         {"\n  -platform NAME ", "\n  -display NAME ", "\n  -h, --help ", "\n  --version "})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

} // namespace
} // namespace zorvane::forms
