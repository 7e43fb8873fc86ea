// SPDX-License-Identifier: MIT
// The command line of both programs, without starting either. What the real
// Linux program prints and returns is checked by command_line_test.sh.
#include "forms/command_line.h"

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
        {FrontEnd::Qt, {"-platform", "offscreen"}, x11, 0, ""},
        {FrontEnd::Qt, {"--platform", "--help"}, x11, 0, ""},
        {FrontEnd::Qt, {"-display", ":1", "--display", "--version"}, x11, 0, ""},
        {FrontEnd::Qt, {"-display"}, x11, 2, "zorvane: option '-display' needs a value"},
        {FrontEnd::Qt, {"-h", "--bogus"}, x11, 0, Usage(FrontEnd::Qt)},
        {FrontEnd::Qt, {"-x", "--version"}, x11, 2, "zorvane: unknown option '-x'"},
        {FrontEnd::Qt, {"12", "--help"}, x11, 2, "zorvane: unexpected argument '12'"},
        {FrontEnd::Qt, {"/?"}, x11, 2, "zorvane: unexpected argument '/?'"},
        {FrontEnd::Qt, {}, Only({}), 1, noDisplay},
        {FrontEnd::Qt, {}, Only({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}), 1, noDisplay},
        {FrontEnd::Qt, {}, Environment{}, 1, noDisplay},
        {FrontEnd::Qt, {}, x11, 0, ""},
        {FrontEnd::Qt, {}, Only({{"WAYLAND_DISPLAY", "x"}}), 0, ""},
        {FrontEnd::Qt, {}, Only({{"QT_QPA_PLATFORM", "x"}}), 0, ""},
        {FrontEnd::Qt, {"-display", ":0"}, Only({}), 0, ""},
        {FrontEnd::Qt, {"-platform", "xcb"}, Only({}), 0, ""},
        // Help and the version need no display.
        {FrontEnd::Qt, {"--version"}, Only({}), 0, "zorvane " + std::string(Version()) + "\n"},
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

} // namespace
} // namespace zorvane::forms
