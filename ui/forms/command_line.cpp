// SPDX-License-Identifier: MIT
#include "command_line.h"

#include <array>

namespace zorvane::forms {
namespace {

constexpr std::string_view kProgram = "zorvane";

// Qt reads its options with one dash or two; these are the ones that matter
// to someone starting the program, each followed by a value.
constexpr std::array<std::string_view, 2> kQtOptionsWithValue{"platform", "display"};

// The part of an option after its dashes, if it is one of Qt's above.
bool IsQtOption(std::string_view argument)
{
    if (argument.starts_with("--"))
        argument.remove_prefix(2);
    else if (argument.starts_with('-'))
        argument.remove_prefix(1);
    else
        return false;
    for (const std::string_view option : kQtOptionsWithValue)
        if (argument == option)
            return true;
    return false;
}

bool IsSet(const Environment &environment, const char *name)
{
    if (!environment)
        return false;
    const char *value = environment(name);
    return value && *value;
}

Reply Mistake(FrontEnd frontEnd, std::string line)
{
    return Reply{.exitCode = 2,
                 .text = std::string(kProgram) + ": " + line + "\n" + Usage(frontEnd),
                 .error = true};
}

} // namespace

std::string_view Version()
{
    return ZORVANE_VERSION;
}

std::string VersionLine()
{
    return std::string(kProgram) + " " + std::string(Version()) + "\n";
}

std::string Usage(FrontEnd frontEnd)
{
    // The manual page's options are made from these lines: an option starts
    // with two spaces and a dash, its text follows after two spaces or more,
    // and an indented line goes on with the text.
    if (frontEnd == FrontEnd::Win32)
        return "Usage: zorvane.exe [option]\n"
               "Makes random passwords: type a length and press Generate Password.\n"
               "\n"
               "  /?, --help   show this help\n"
               "  --version    show the version\n";
    return "Usage: zorvane [option]...\n"
           "Makes random passwords: type a length and press Generate Password.\n"
           "\n"
           "  -platform NAME  draw the windows on this Qt platform, such as xcb (X11)\n"
           "                  or wayland; the same as setting QT_QPA_PLATFORM\n"
           "  -display NAME   open this X11 display, not the one DISPLAY names\n"
           "  -h, --help      show this help and exit\n"
           "  --version       show the version and exit\n";
}

Reply AnswerCommandLine(std::span<const std::string_view> arguments, FrontEnd frontEnd,
                        const Environment &environment)
{
    bool platformChosen = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h" ||
            (frontEnd == FrontEnd::Win32 && argument == "/?"))
            return Reply{.text = Usage(frontEnd)};
        if (argument == "--version")
            return Reply{.text = VersionLine()};
        if (frontEnd == FrontEnd::Qt && IsQtOption(argument)) {
            if (i + 1 == arguments.size())
                return Mistake(frontEnd, "option '" + std::string(argument) + "' needs a value");
            platformChosen = true;
            ++i;
            continue;
        }
        const bool option = (argument.size() > 1 && argument.starts_with('-')) ||
                            (frontEnd == FrontEnd::Win32 && argument.starts_with('/'));
        return Mistake(frontEnd, (option ? "unknown option '" : "unexpected argument '") +
                                     std::string(argument) + "'");
    }

    // Qt would abort, advising a reinstall, when it finds no display to open.
    if (frontEnd == FrontEnd::Qt && !platformChosen && !IsSet(environment, "QT_QPA_PLATFORM") &&
        !IsSet(environment, "DISPLAY") && !IsSet(environment, "WAYLAND_DISPLAY"))
        return Reply{.exitCode = 1,
                     .text = std::string(kProgram) + ": no X11 or Wayland display was found; "
                                                     "set DISPLAY or WAYLAND_DISPLAY.\n",
                     .error = true};
    return Reply{.start = true};
}

} // namespace zorvane::forms
