// SPDX-License-Identifier: MIT
#include "forms/command_line.h"
#include "forms/main_window.h"
#include "program.h"
#include "text.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The arguments after the program's name, as UTF-8.
std::vector<std::string> Arguments()
{
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(zorvane::win32::Narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    zorvane::win32::UseSystemLibrariesOnly();
    // A GUI program has no console: help, the version and mistakes show in a
    // message box, as Windows programs do with /?.
    const std::vector<std::string> arguments = Arguments();
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    const auto reply = zorvane::forms::AnswerCommandLine(views, zorvane::forms::FrontEnd::Win32);
    if (!reply.start) {
        MessageBoxW(nullptr, zorvane::win32::Widen(reply.text).c_str(),
                    zorvane::win32::Widen(zorvane::forms::kApplicationTitle).c_str(),
                    reply.error ? UINT{MB_OK | MB_ICONERROR} : UINT{MB_OK | MB_ICONINFORMATION});
        return reply.exitCode;
    }
    return zorvane::win32::RunProgram(instance);
}
