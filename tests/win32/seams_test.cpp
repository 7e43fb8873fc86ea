// SPDX-License-Identifier: MIT
// What Wine cannot show through a window, checked where the program decides
// it: where libraries are looked for, and a window's DPI where Windows has no
// answer for it.
#include "support.h"

namespace zorvane::win32::testing {
namespace {

// Once started, the program finds no library beside itself by name.
TEST(SeamsTest, ALibraryBesideTheProgramIsNotLoaded)
{
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    const std::wstring folder = self.substr(0, self.rfind(L'\\') + 1);
    CopyFileW((folder + L"planted\\bcrypt.dll").c_str(), (folder + L"beside.dll").c_str(), FALSE);
    UseSystemLibrariesOnly();
    const HMODULE beside = LoadLibraryW(L"beside.dll");
    EXPECT_EQ(beside, nullptr);
    FreeLibrary(beside);
    EXPECT_TRUE(DeleteFileW((folder + L"beside.dll").c_str())) << "it was there";
}

UINT WINAPI AnswersNothing(HWND)
{
    return 0;
}

// Before Windows 10's Anniversary Update there is no GetDpiForWindow: the
// caller's fallback, the system's DPI, holds.
TEST(SeamsTest, WithoutAnAnswerForItAWindowsDpiIsTheFallback)
{
    EXPECT_EQ(WindowDpi(GetDesktopWindow(), 120), 96) << "Wine's own answer";
    const Display real = CurrentDisplay();
    for (const auto dpiOf : {static_cast<UINT(WINAPI *)(HWND)>(nullptr), &AnswersNothing}) {
        const FakeDisplay fake({dpiOf, real.workArea, real.highContrast});
        EXPECT_EQ(WindowDpi(GetDesktopWindow(), 120), 120);
    }
}

} // namespace
} // namespace zorvane::win32::testing
