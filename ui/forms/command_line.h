// SPDX-License-Identifier: MIT
// The command line: what both programs answer to it before any window exists,
// so that --help and --version work without a display. No toolkit.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace zorvane::forms {

enum class FrontEnd { Qt, Win32 };

// What the program does about its command line.
struct Reply {
    bool start = false; // go on and open the windows
    int exitCode = 0;   // otherwise end with this code, after telling `text`
    std::string text;   // empty, or whole lines for the user
    bool error = false; // a mistake: standard error, or a message box's error icon
};

// Reads an environment variable; nullptr when it is not set.
using Environment = std::function<const char *(const char *)>;

// The answer to `arguments` (without the program's own name). The Qt front end
// passes the options it accepts on to Qt, and refuses to start when there is
// no display Qt could open; `environment` tells it where to look.
[[nodiscard]] Reply AnswerCommandLine(std::span<const std::string_view> arguments,
                                      FrontEnd frontEnd, const Environment &environment = {});

// What --help prints, and what --version prints: "zorvane 1.0.0".
[[nodiscard]] std::string Usage(FrontEnd frontEnd);
[[nodiscard]] std::string VersionLine();

// The project's version, as the build has it: "1.0.0".
[[nodiscard]] std::string_view Version();

} // namespace zorvane::forms
