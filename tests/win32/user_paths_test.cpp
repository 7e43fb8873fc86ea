// SPDX-License-Identifier: MIT
// The windows as a user meets them, by keys, menus and scales, and the program
// itself: started with a mistake or without its libraries, or ended after a copy.
#include "password_field.h"
#include "pictures.h"
#include "resource.h"
#include "support.h"

#include <cmath>
#include <cstdint>
#include <process.h>
#include <tuple>

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;
using enum forms::AboutControl;

// Presses Down and Enter where the focus is: Copy, in the field's menu.
void CALLBACK PickCopy(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
}

TEST_F(WindowTest, KeysSelectAndCopyExactlyPartOfThePasswordButNeverChangeIt)
{
    Generate(L"12");
    const HWND field = Control(PasswordField);
    const std::string password = Text(field);
    SetFocus(field);
    // Selects from `from` by Shift and `key`, `times`, then copies by the menu or Ctrl+C.
    const auto copied = [field](int from, int key, int times, bool menu) {
        SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(from), from);
        for (int i = 0; i < times; ++i)
            PressKey(kShift | key);
        if (menu && SetTimer(nullptr, 0, 50, &PickCopy))
            SendMessageW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), -1);
        else
            PressKey(kCtrl | 'C');
        return Clipboard()[0];
    };
    EXPECT_EQ(copied(2, VK_RIGHT, 3, false), password.substr(2, 3)) << "Shift+Right x3, Ctrl+C";
    EXPECT_EQ(copied(5, VK_END, 1, true), password.substr(5)) << "Shift+End, menu Copy";
    EXPECT_EQ(copied(3, 0, 0, true), password.substr(5)) << "none selected, menu: last copy kept";
    // Over a selection, with the password to paste.
    const auto edited = [field](int key) {
        SendMessageW(field, EM_SETSEL, 4, 8);
        key ? PressKey(key) : void(SendMessageW(field, WM_PASTE, 0, 0));
        return Text(field);
    };
    EXPECT_EQ(edited('X'), password) << "x typed";
    EXPECT_EQ(edited(kCtrl | 'V'), password) << "Ctrl+V";
    EXPECT_EQ(edited(kShift | VK_INSERT), password) << "Shift+Insert";
    EXPECT_EQ(edited(0), password) << "WM_PASTE";
}

std::pair<LONG, LONG> IconSize(HWND window, WPARAM which)
{
    ICONINFO icon{};
    GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &icon);
    BITMAP bitmap{};
    GetObjectW(icon.hbmColor, sizeof(bitmap), &bitmap);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

// Edge steepness times the scale: stretched from 1x it stays at 1x's; from 2x it grows.
double Steepness(const Snapshot &shot, const RECT &box, int dpi)
{
    double sum = 0;
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left + 1; x < box.right; ++x)
            sum += std::pow(GetGValue(shot.At(x, y)) - GetGValue(shot.At(x - 1, y)), 2);
    return sum * dpi / 96 / double((box.right - box.left) * (box.bottom - box.top));
}

TEST_F(WindowTest, IconsAndPicturesHaveTheScalesSizesAndThePortraitStandsUpright)
{
    double atOne = 0;
    for (const auto &[dpi, icon, portrait] :
         {std::tuple{96, 16L, SIZE{150, 200}}, std::tuple{120, 20L, SIZE{188, 250}},
          std::tuple{144, 24L, SIZE{225, 300}}}) {
        Open(dpi);
        const Snapshot shot(About());
        EXPECT_EQ(IconSize(Main(), ICON_SMALL), std::pair(icon, icon)) << dpi;
        EXPECT_EQ(IconSize(Main(), ICON_BIG), std::pair(icon * 2, icon * 2)) << dpi;
        const SIZE size = LoadPicture(GetModuleHandleW(nullptr), IDR_PORTRAIT, dpi).size;
        EXPECT_TRUE(size.cx == portrait.cx && size.cy == portrait.cy) << dpi;
        const RECT box = PlaceOf(ControlOf(FindAbout(), Portrait));
        atOne = dpi == 96 ? Steepness(shot, box, dpi) : atOne;
        EXPECT_GT(Steepness(shot, box, dpi), dpi == 96 ? 0 : 1.07 * atOne) << dpi;
        // Pale sky above, dark coat below.
        EXPECT_GT(GetRValue(shot.At(box.left + 75, box.top + 2)), 220) << dpi;
        EXPECT_LT(GetRValue(shot.At(box.left + 75, box.bottom - 3)), 40) << dpi;
    }
}

TEST_F(WindowTest, ChangesOfDpiLeakNoHandles)
{
    const RECT frame{0, 0, 800, 600};
    int first = -1;
    for (const int dpi : {192, 96, 192, 96, 192, 96}) {
        for (const HWND window : {Main(), About()})
            SendMessageW(window, kDpiChanged, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&frame));
        first = first < 0 ? liveHandles.load() : first; // each size's fonts are made by now
    }
    EXPECT_EQ(liveHandles, first);
}

// Runs `program`, from this one's folder, with `arguments`, answers OK to the
// box it shows, and returns its exit code.
DWORD RunBeside(const wchar_t *program, const wchar_t *arguments)
{
    const std::wstring file = Beside(program);
    const auto child = reinterpret_cast<HANDLE>(
        _wspawnl(_P_NOWAIT, file.c_str(), file.c_str(), arguments, nullptr));
    // Pumping answers what the child sends this program's clipboard window.
    for (int i = 0; i < 300 && WaitForSingleObject(child, 100) == WAIT_TIMEOUT; ++i) {
        Pump();
        DWORD owner = 0;
        const HWND box = FindWindowW(L"#32770", nullptr);
        if (GetWindowThreadProcessId(box, &owner) && owner == GetProcessId(child))
            PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    DWORD status = 999;
    GetExitCodeProcess(child, &status);
    CloseHandle(child);
    return status;
}

TEST(ProgramRunTest, AnUnknownOptionEndsWithStatus2)
{
    EXPECT_EQ(RunBeside(L"..\\..\\zorvane.exe", L"--frobnicate"), 2u);
}

// Run alone by the next test, in a program of its own.
TEST_F(WindowTest, DISABLED_CopyAPasswordAndEnd)
{
    SetWindowTextW(Control(PasswordField), L"k7qm2x9wtz4h");
    CopyAllOf(Control(PasswordField), 0);
}

TEST(ProgramRunTest, ACopiedPasswordOutlivesTheProgram)
{
    RunBeside(L"win32_tests.exe",
              L"--gtest_also_run_disabled_tests --gtest_filter=*DISABLED_CopyAPasswordAndEnd");
    EXPECT_EQ(Clipboard()[0], "k7qm2x9wtz4h");
}

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

// Once started, the program finds no library beside itself by name.
TEST(SeamsTest, ALibraryBesideTheProgramIsNotLoaded)
{
    CopyFileW(Beside(L"planted\\bcrypt.dll").c_str(), Beside(L"beside.dll").c_str(), FALSE);
    UseSystemLibrariesOnly();
    const HMODULE beside = LoadLibraryW(L"beside.dll");
    EXPECT_EQ(beside, nullptr);
    FreeLibrary(beside);
    EXPECT_TRUE(DeleteFileW(Beside(L"beside.dll").c_str())) << "it was there";
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
