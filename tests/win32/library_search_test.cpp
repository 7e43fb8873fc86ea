// SPDX-License-Identifier: MIT
// The program's libraries come from the system folder, not from beside it:
// this test program runs with a planted bcrypt.dll in its own folder.
#include "support.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>

namespace zorvane::win32::testing {
namespace {

std::wstring Folder(const std::wstring &path)
{
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring PathOf(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length);
}

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

TEST_F(WindowTest, APlantedRandomLibraryIsNotUsed)
{
    const std::wstring planted = Folder(PathOf(nullptr)) + L"\\bcrypt.dll";
    ASSERT_NE(GetFileAttributesW(planted.c_str()), INVALID_FILE_ATTRIBUTES);

    Generate(L"40");
    const std::string password = Text(MainControl::PasswordField);
    EXPECT_EQ(password.size(), 40u);

    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const HMODULE loaded = GetModuleHandleW(L"bcrypt.dll");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Lower(Folder(PathOf(loaded))), Lower(system));
}

} // namespace
} // namespace zorvane::win32::testing
