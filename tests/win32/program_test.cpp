// SPDX-License-Identifier: MIT
#include "password_field.h"
#include "support.h"

#include <cstdint>

namespace zorvane::win32::testing {
namespace {

TEST(ProgramTest, WithoutThePasswordFieldsLibraryItSaysWhatIsMissingAndFails)
{
    std::vector<std::wstring> told;
    const auto tell = [&told](const std::wstring &text) { told.push_back(text); };
    EXPECT_EQ(RunProgram(GetModuleHandleW(nullptr), L"no-such-library.dll", tell), 1);
    EXPECT_EQ(told, std::vector<std::wstring>{L"Zorvane cannot start: the system library "
                                              L"no-such-library.dll, which provides the password "
                                              L"field, could not be loaded."});
    EXPECT_EQ(FindWindowW(L"ZorvaneMainWindow", nullptr), nullptr) << "no window shown";
}

TEST(ProgramTest, APasswordsWideCopyIsWipedOnceTheFieldHasIt)
{
    const HWND field = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    std::wstring password(40, L'x');
    ShowPassword(field, password, false);
    EXPECT_EQ(WindowText(field), std::wstring(40, L'x'));
    EXPECT_EQ(std::wstring_view(password.data(), password.capacity()).find_first_not_of(L'\0'),
              std::wstring_view::npos);
    DestroyWindow(field);
}

#if defined(_WIN64)
// So that a pointer squeezed through 32 bits crashes the tests (high_memory.cpp).
TEST(ProgramTest, TheWindowsLiveAbove4GiB)
{
    const auto window = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), 96);
    EXPECT_GT(reinterpret_cast<std::uintptr_t>(window.get()), std::uintptr_t{0xFFFFFFFF});
}
#endif

} // namespace
} // namespace zorvane::win32::testing
