// SPDX-License-Identifier: MIT
// The program's libraries come from the system folder, not from beside it:
// this test program runs with a planted bcrypt.dll in its own folder.
#include "support.h"

namespace zorvane::win32::testing {
namespace {

std::wstring PathOf(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    return std::wstring(path, GetModuleFileNameW(module, path, MAX_PATH));
}

TEST_F(WindowTest, APlantedRandomLibraryIsNotUsed)
{
    std::wstring planted = PathOf(nullptr);
    planted.replace(planted.find_last_of(L"\\/") + 1, std::wstring::npos, L"bcrypt.dll");
    ASSERT_NE(GetFileAttributesW(planted.c_str()), INVALID_FILE_ATTRIBUTES);

    Generate(L"40");
    EXPECT_EQ(Text(MainControl::PasswordField).size(), 40u);
    EXPECT_NE(Text(MainControl::PasswordField), std::string(40, 'a')) << "the planted one's bytes";

    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring loaded = PathOf(GetModuleHandleW(L"bcrypt.dll"));
    EXPECT_EQ(_wcsicmp(loaded.c_str(), (std::wstring(system) + L"\\bcrypt.dll").c_str()), 0)
        << Narrow(loaded);
}

} // namespace
} // namespace zorvane::win32::testing
