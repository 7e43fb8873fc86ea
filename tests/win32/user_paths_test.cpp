// SPDX-License-Identifier: MIT
// The windows as a user meets them, and the program started wrongly or ended after a copy.
#include "support.h"

#include <process.h>

namespace zorvane::win32::testing {

using enum forms::MainControl;
using enum forms::AboutControl;

int menuItem = 0; // the field's menu item the next menu picks: 1 Copy, 2 Select All

// Presses Down to that item and Enter where the focus is.
void CALLBACK PickMenuItem(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    for (int i = 0; i < menuItem; ++i)
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
}

TEST_F(WindowTest, KeysSelectAndCopyExactlyPartOfThePasswordButNeverChangeIt)
{
    Generate(L"12");
    const HWND field = Control(PasswordField);
    const std::string password = Text(field);
    SetFocus(field);
    // Selects from `from` by Shift and `key`, `times`, then picks menu item `item`, or
    // presses Ctrl+C for none; and reads the clipboard.
    const auto copied = [field](int from, int key, int times, int item) {
        SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(from), from);
        for (int i = 0; i < times; ++i)
            PressKey(kShift | key);
        menuItem = item;
        if (item && SetTimer(nullptr, 0, 50, &PickMenuItem))
            SendMessageW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), -1);
        else
            PressKey(kCtrl | 'C');
        return Clipboard()[0];
    };
    EXPECT_EQ(copied(2, VK_RIGHT, 3, 0), password.substr(2, 3)) << "Shift+Right x3, Ctrl+C";
    EXPECT_EQ(copied(5, VK_END, 1, 1), password.substr(5)) << "Shift+End, menu Copy";
    EXPECT_EQ(copied(3, 0, 0, 1), password.substr(5)) << "none selected, menu: last copy kept";
    EXPECT_EQ(copied(3, 0, 0, 2), password.substr(5)) << "menu Select All";
    DWORD start = 1, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::pair(start, end), std::pair(DWORD{0}, DWORD{13})) << "all, and the end of line";
    SendMessageW(field, EM_SETSEL, 0, 2);
    PressKey(VK_INSERT);
    EXPECT_EQ(Clipboard()[0], password.substr(5)) << "Insert without Ctrl copies nothing";
    // Over a selection, with the password to paste.
    const auto edited = [field](int key) {
        SendMessageW(field, EM_SETSEL, 4, 8);
        key ? PressKey(key) : void(SendMessageW(field, WM_PASTE, 0, 0));
        return Text(field);
    };
    EXPECT_EQ(edited('X'), password) << "x typed";
    EXPECT_EQ(edited(kCtrl | 'V'), password) << "Ctrl+V";
    EXPECT_EQ(edited(0), password) << "WM_PASTE";
}

// Runs `program` from this one's folder, answers OK to the box it shows, closes
// its main window once shown where asked, and returns its status.
DWORD RunBeside(const wchar_t *program, const wchar_t *arguments, bool close = false)
{
    const std::wstring file = Beside(program);
    const auto child = reinterpret_cast<HANDLE>(
        _wspawnl(_P_NOWAIT, file.c_str(), file.c_str(), arguments, nullptr));
    const auto owned = [child](HWND window) {
        DWORD owner = 0;
        return GetWindowThreadProcessId(window, &owner) && owner == GetProcessId(child);
    };
    // Pumping answers what the child sends this program's clipboard window.
    for (int i = 0; i < 300 && WaitForSingleObject(child, 100) == WAIT_TIMEOUT; ++i) {
        Pump();
        if (const HWND box = FindWindowW(L"#32770", nullptr); owned(box))
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (const HWND main = FindWindowW(L"ZorvaneMainWindow", nullptr);
            close && owned(main) && IsWindowVisible(main))
            PostMessageW(main, WM_CLOSE, 0, 0);
    }
    DWORD status = 999;
    GetExitCodeProcess(child, &status);
    TerminateProcess(child, status);
    CloseHandle(child);
    return status;
}

TEST(ProgramRunTest, EndsWithSuccessOnceItsWindowIsClosedAndWith2ForAnUnknownOption)
{
    EXPECT_EQ(RunBeside(L"..\\..\\zorvane.exe", nullptr, true), 0u) << "started plainly";
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

// GetDpiForWindow's answer for a window it cannot judge.
UINT WINAPI Unknown(HWND)
{
    return 0;
}

// Before Windows 10 1607, or where the system cannot say, a window's DPI is the caller's own.
TEST(SeamsTest, WhereTheSystemCannotSayAWindowsDpiTheCallersOwnHolds)
{
    for (const auto dpiOf : {static_cast<UINT(WINAPI *)(HWND)>(nullptr), &Unknown}) {
        const FakeDisplay fake({dpiOf, CurrentDisplay().workArea, CurrentDisplay().highContrast});
        EXPECT_EQ(WindowDpi(GetDesktopWindow(), 120), 120);
    }
}

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

} // namespace zorvane::win32::testing
