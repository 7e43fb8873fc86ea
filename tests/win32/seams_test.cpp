// SPDX-License-Identifier: MIT
// Where the program decides what Wine cannot show: library search, a window's DPI.
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

// Without GetDpiForWindow (before Windows 10 1607) the caller's fallback holds.
TEST(SeamsTest, WithoutAnAnswerForItAWindowsDpiIsTheFallback)
{
    EXPECT_EQ(WindowDpi(GetDesktopWindow(), 120), 96) << "Wine's own answer";
    const FakeDisplay fake({nullptr, CurrentDisplay().workArea, CurrentDisplay().highContrast});
    EXPECT_EQ(WindowDpi(GetDesktopWindow(), 120), 120);
}

} // namespace
} // namespace zorvane::win32::testing
