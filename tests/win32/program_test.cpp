// SPDX-License-Identifier: MIT
#include "forms/command_line.h"
#include "password_field.h"
#include "resource.h"
#include "support.h"

#include <cstdint>

namespace zorvane::win32 {
namespace {

using namespace testing;

TEST(ProgramTest, WithoutThePasswordFieldsLibraryItSaysWhatIsMissingAndFails)
{
    std::vector<std::wstring> told;
    const auto tell = [&told](const std::wstring &text) { told.push_back(text); };
    EXPECT_EQ(RunProgram(GetModuleHandleW(nullptr), L"no-such-library.dll", tell), 1);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(L"no-such-library.dll"), std::wstring::npos);
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

// A window whose Window base does not sit at the start of the object.
struct Offset final : std::pair<int, int>, Window {
    static constexpr WindowClass kClass{L"ZorvaneOffsetTest", WS_POPUP, IDI_ABOUT};
    explicit Offset(HINSTANCE module) : Window(module, forms::kAboutWindow, kClass, nullptr, 96) {}
    void OnCommand(int index) override { pressed.emplace_back(this, index); }
    std::vector<std::pair<const Offset *, int>> pressed;
};

TEST(ProgramTest, AWindowFindsItsOwnObjectWhereverItsBaseSits)
{
    Window::Register(GetModuleHandleW(nullptr), Offset::kClass);
    Offset window(GetModuleHandleW(nullptr));
    ASSERT_TRUE(window.Exists());
    const HWND back = GetDlgItem(window.Handle(), 103);
    SendMessageW(back, BM_CLICK, 0, 0);
    EXPECT_EQ(window.pressed, (std::vector<std::pair<const Offset *, int>>{{&window, 3}}));
}

#if defined(_WIN64)
// What a pointer squeezed through 32 bits loses, so that the windows' tests
// crash on it (high_memory.cpp).
TEST(ProgramTest, TheWindowsLiveAbove4GiB)
{
    const auto window = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), 96);
    EXPECT_GT(reinterpret_cast<std::uintptr_t>(window.get()), std::uintptr_t{0xFFFFFFFF});
}
#endif

// The version in the program's file properties (the tests carry the
// program's resources) is the one --version prints.
TEST(ProgramTest, TheVersionResourceAgreesWithTheCommandLine)
{
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    std::vector<char> info(GetFileVersionInfoSizeW(path, nullptr));
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()));
    const auto value = [&info](const wchar_t *name) {
        void *found = nullptr;
        UINT length = 0;
        return VerQueryValueW(info.data(), name, &found, &length) ? found : nullptr;
    };
    for (const wchar_t *name : {L"\\StringFileInfo\\040904B0\\ProductVersion",
                                L"\\StringFileInfo\\040904B0\\FileVersion"}) {
        const auto *text = static_cast<const wchar_t *>(value(name));
        EXPECT_EQ(text ? Narrow(text) : "", forms::Version()) << Narrow(name);
    }
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value(L"\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
                  std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." +
                  std::to_string(HIWORD(fixed->dwProductVersionLS)),
              forms::Version());
}

// Windows refuses to start a program whose manifest names another machine;
// Wine does not check, so the manifest is read here. Its version is the
// program's, in the four parts a manifest wants.
TEST(ProgramTest, TheManifestNamesTheProgramsOwnMachineAndVersion)
{
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const auto *bytes = static_cast<const char *>(LockResource(LoadResource(nullptr, found)));
    const std::string manifest(bytes, SizeofResource(nullptr, found));
    const std::string identity = manifest.substr(0, manifest.find("<description>"));
    const std::string machine = sizeof(void *) == 8 ? "amd64" : "x86";
    EXPECT_NE(identity.find("processorArchitecture=\"" + machine + "\""), std::string::npos)
        << identity;
    EXPECT_NE(identity.find("version=\"" + std::string(forms::Version()) + ".0\""),
              std::string::npos)
        << identity;
}

} // namespace
} // namespace zorvane::win32
