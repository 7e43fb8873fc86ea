// SPDX-License-Identifier: MIT
// The windows as a user meets them: keys, the field's menu, the quit question,
// icons and pictures at other scales, a smaller work area, changes of DPI, and
// the program started with a mistake or ended with a password copied.
#include "password_field.h"
#include "pictures.h"
#include "resource.h"
#include "support.h"

#include <array>
#include <cmath>
#include <cstring>
#include <tuple>

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;
using enum forms::AboutControl;

void PutOnClipboard(const wchar_t *text)
{
    const std::size_t size = (std::wcslen(text) + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::string ClipboardText()
{
    std::string text = "absent";
    if (!OpenClipboard(nullptr))
        return "cannot open";
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = Narrow(static_cast<const wchar_t *>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// PressKey with `modifier` (VK_SHIFT or VK_CONTROL) held, or none for 0.
void PressWith(int modifier, int key)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[modifier] = 0x80;
    SetKeyboardState(keys);
    PressKey(key);
    keys[modifier] = 0;
    SetKeyboardState(keys);
}

HWND quitOwner = nullptr;
std::string quitTitle, quitText;
void CALLBACK ReadTheQuestionAndAnswerNo(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const HWND box = GetActiveWindow();
    quitOwner = GetWindow(box, GW_OWNER);
    quitTitle = WindowTest::Text(box);
    quitText = WindowTest::Text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDNO, 0);
}

TEST_F(WindowTest, TheQuitQuestionIsTheMainWindowsOwn)
{
    SetTimer(nullptr, 0, 50, &ReadTheQuestionAndAnswerNo);
    Click(Control(ExitButton));
    EXPECT_EQ(quitOwner, window_->Handle());
    EXPECT_EQ(quitTitle, "Zorvane");
    EXPECT_EQ(quitText, "Are you sure you want to quit?");
    EXPECT_TRUE(endedWith_.empty());
}

TEST_F(WindowTest, ThePasswordFieldTakesNeitherTypingNorPasting)
{
    Generate(L"12");
    const HWND field = Control(PasswordField);
    const std::string password = Text(field);
    PutOnClipboard(L"pasted");
    SetFocus(field);
    for (const auto &[way, modifier, key] : {std::tuple{"x typed", 0, 'X'},
                                             {"Backspace", 0, VK_BACK},
                                             {"Ctrl+V", VK_CONTROL, 'V'},
                                             {"Shift+Insert", VK_SHIFT, VK_INSERT},
                                             {"Ctrl+X", VK_CONTROL, 'X'},
                                             {"WM_PASTE", 0, 0}}) {
        SendMessageW(field, EM_SETSEL, 4, 8);
        if (key)
            PressWith(modifier, key);
        else
            SendMessageW(field, WM_PASTE, 0, 0);
        EXPECT_EQ(Text(field), password) << way;
    }
}

void CALLBACK ChooseTheFirstItem(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    for (const int key : {VK_DOWN, VK_RETURN})
        PostMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
}

TEST_F(WindowTest, TheMenusCopyTakesTheSelectionAndWithoutOneLeavesTheClipboard)
{
    Generate(L"12");
    const HWND field = Control(PasswordField);
    const std::string password = Text(field);
    SetFocus(field);
    for (const auto &[selected, from, to, expected] :
         {std::tuple{"nothing", 3, 3, std::string("kept")},
          std::tuple{"two characters", 3, 5, password.substr(3, 2)}}) {
        PutOnClipboard(L"kept");
        SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(from), to);
        SetTimer(nullptr, 0, 50, &ChooseTheFirstItem);
        SendMessageW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), -1);
        Pump();
        EXPECT_EQ(ClipboardText(), expected) << selected;
    }
}

TEST_F(WindowTest, CtrlCCopiesExactlyWhatShiftAndArrowsSelected)
{
    Generate(L"12");
    const HWND field = Control(PasswordField);
    const std::string password = Text(field);
    SetFocus(field);
    for (const auto &[keys, from, key, times, expected] :
         {std::tuple{"Shift+Right x3", 2, VK_RIGHT, 3, password.substr(2, 3)},
          std::tuple{"Shift+Left", 7, VK_LEFT, 1, password.substr(6, 1)},
          std::tuple{"Shift+End", 5, VK_END, 1, password.substr(5)}}) {
        SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(from), from);
        for (int i = 0; i < times; ++i)
            PressWith(VK_SHIFT, key);
        PressWith(VK_CONTROL, 'C');
        EXPECT_EQ(ClipboardText(), expected) << keys;
    }
}

SIZE IconSize(HWND window, WPARAM which)
{
    ICONINFO icon{};
    GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &icon);
    BITMAP bitmap{};
    GetObjectW(icon.hbmColor, sizeof(bitmap), &bitmap);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

TEST_F(WindowTest, IconsHaveTheSizesOfTheScale)
{
    for (const auto &[dpi, small, big] : {std::tuple{96, 16L, 32L}, std::tuple{144, 24L, 48L}}) {
        Open(dpi);
        for (const HWND window : {window_->Handle(), About()}) {
            EXPECT_EQ(IconSize(window, ICON_SMALL).cx, small) << dpi;
            EXPECT_EQ(IconSize(window, ICON_SMALL).cy, small) << dpi;
            EXPECT_EQ(IconSize(window, ICON_BIG).cx, big) << dpi;
            EXPECT_EQ(IconSize(window, ICON_BIG).cy, big) << dpi;
        }
    }
}

// How steep the picture's edges are: the mean square step between neighbours.
double Steepness(const Snapshot &shot, const RECT &box)
{
    double sum = 0;
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left + 1; x < box.right; ++x)
            sum += std::pow(GetGValue(shot.At(x, y)) - GetGValue(shot.At(x - 1, y)), 2);
    return sum / double((box.right - box.left) * (box.bottom - box.top));
}

bool Near(COLORREF pixel, COLORREF expected)
{
    return std::abs(GetRValue(pixel) - GetRValue(expected)) < 8 &&
           std::abs(GetGValue(pixel) - GetGValue(expected)) < 8 &&
           std::abs(GetBValue(pixel) - GetBValue(expected)) < 8;
}

// A picture stretched from 1x widens its edges with the scale, which keeps
// their steepness times the scale at 1x's; one drawn down from 2x is steeper.
TEST_F(WindowTest, PicturesAreUprightAtTheirSizeAndDrawnDownFromTheSharperRendition)
{
    std::array<double, 2> atOne{};
    for (const auto &[dpi, banner, portrait] : {std::tuple{96, SIZE{226, 100}, SIZE{150, 200}},
                                                std::tuple{120, SIZE{283, 125}, SIZE{188, 250}},
                                                std::tuple{144, SIZE{339, 150}, SIZE{225, 300}}}) {
        Open(dpi);
        const HWND about = About();
        const Snapshot shot(about);
        for (const auto &[i, id, resource, size] :
             {std::tuple{std::size_t{0}, Banner, IDR_BANNER, banner},
              std::tuple{std::size_t{1}, Portrait, IDR_PORTRAIT, portrait}}) {
            const SIZE decoded = LoadPicture(GetModuleHandleW(nullptr), resource, dpi).size;
            EXPECT_TRUE(decoded.cx == size.cx && decoded.cy == size.cy) << dpi << " " << i;
            const double steepness = Steepness(shot, PlaceOf(ControlOf(about, id))) * dpi / 96;
            if (dpi == 96)
                atOne[i] = steepness;
            EXPECT_TRUE(dpi == 96 || steepness > 1.07 * atOne[i]) << dpi << " " << i;
        }
        // The portrait's pale sky above, its dark coat below.
        const RECT box = PlaceOf(ControlOf(about, Portrait));
        const LONG middle = (box.left + box.right) / 2;
        EXPECT_TRUE(Near(shot.At(middle, box.top + 2), RGB(228, 237, 244))) << dpi;
        EXPECT_TRUE(Near(shot.At(middle, box.bottom - 3), RGB(33, 66, 101))) << dpi;
    }
}

RECT SmallWorkArea(HWND)
{
    return {100, 40, 900, 640};
}

TEST_F(WindowTest, BothWindowsOpenCentredInASmallerWorkArea)
{
    const FakeDisplay small({&MonitorDpi, &SmallWorkArea, &HighContrast});
    Open(96);
    for (const HWND window : {window_->Handle(), About()}) {
        RECT frame;
        GetWindowRect(window, &frame);
        EXPECT_LE(std::abs(frame.left + frame.right - 1000), 1);
        EXPECT_LE(std::abs(frame.top + frame.bottom - 680), 1);
    }
}

// GDI objects and icons made less those destroyed, through this program's
// imports (Wine's GetGuiResources answers 0).
int live = 0;
template <typename R, typename... A> struct Counted {
    static inline R(WINAPI *real)(A...) = nullptr;
    template <int change> static R WINAPI Call(A... a)
    {
        const R result = real(a...);
        live += result ? change : 0;
        return result;
    }
};
template <int change, typename R, typename... A> void Count(R(WINAPI *real)(A...))
{
    auto *const base = reinterpret_cast<BYTE *>(GetModuleHandleW(nullptr));
    const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY iat =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    auto **slots = reinterpret_cast<void **>(base + iat.VirtualAddress);
    DWORD was = 0;
    VirtualProtect(slots, iat.Size, PAGE_READWRITE, &was);
    Counted<R, A...>::real = real;
    for (std::size_t i = 0; i < iat.Size / sizeof(void *); ++i)
        if (slots[i] == reinterpret_cast<void *>(real))
            slots[i] = reinterpret_cast<void *>(&Counted<R, A...>::template Call<change>);
    VirtualProtect(slots, iat.Size, was, &was);
}

TEST_F(WindowTest, ChangesOfDpiLeakNoHandles)
{
    Count<1>(&CreateSolidBrush), Count<1>(&CreateFontIndirectW), Count<1>(&CreateDIBSection);
    Count<1>(&CreateCompatibleDC), Count<1>(&LoadImageW), Count<-1>(&DeleteObject);
    Count<-1>(&DeleteDC), Count<-1>(&DestroyIcon);
    const std::array windows{window_->Handle(), About()};
    const auto roundTrips = [&windows](int count) {
        for (int i = 0; i < count * 2; ++i)
            for (const HWND window : windows) {
                RECT suggested{0, 0, 800, 600};
                const int dpi = i % 2 ? 96 : 192;
                SendMessageW(window, kDpiChanged, MAKEWPARAM(dpi, dpi),
                             reinterpret_cast<LPARAM>(&suggested));
                RedrawWindow(window, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            }
    };
    roundTrips(1); // each size's fonts are made once, and kept
    const int before = live;
    roundTrips(3);
    EXPECT_EQ(live, before);
}

// Runs `program` beside or above this one with `arguments`, answers the box it
// shows with OK, and returns its exit code and what the box said.
std::pair<DWORD, std::string> RunBeside(const wchar_t *program, const wchar_t *arguments)
{
    wchar_t path[MAX_PATH];
    std::wstring line(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    line = L"\"" + line.substr(0, line.rfind(L'\\') + 1) + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::pair<DWORD, std::string> ran{999, "no box"};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return ran;
    for (int i = 0; i < 300 && WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT; ++i)
        for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            if (owner == process.dwProcessId && IsWindowVisible(box)) {
                ran.second = Narrow(WindowText(GetDlgItem(box, 0xFFFF)));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        }
    GetExitCodeProcess(process.hProcess, &ran.first);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ran;
}

TEST(ProgramRunTest, AnUnknownOptionIsShownAndEndsWithStatus2)
{
    const auto [status, shown] = RunBeside(L"..\\..\\zorvane.exe", L"--frobnicate");
    EXPECT_EQ(status, 2u);
    EXPECT_EQ(shown.substr(0, 38), "zorvane: unknown option '--frobnicate'");
}

// Run alone by the next test, in a program of its own.
TEST_F(WindowTest, DISABLED_CopyAPasswordAndEnd)
{
    std::wstring password = L"k7qm2x9wtz4h";
    ShowPassword(Control(PasswordField), password, false);
    CopyAllOf(Control(PasswordField), 0);
}

TEST(ProgramRunTest, ACopiedPasswordOutlivesTheProgram)
{
    PutOnClipboard(L"before");
    const auto [status, shown] =
        RunBeside(L"win32_tests.exe", L"--gtest_also_run_disabled_tests "
                                      L"--gtest_filter=WindowTest.DISABLED_CopyAPasswordAndEnd");
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(ClipboardText(), "k7qm2x9wtz4h");
}

} // namespace
} // namespace zorvane::win32::testing
