// SPDX-License-Identifier: MIT
// How Windows itself treats the main window's controls, where that differs
// from what a program gets by default. (Focus rings are not tested: Wine's
// WM_QUERYUISTATE answers 0 even after UIS_SET.)
#include "support.h"

#include <richedit.h>

namespace zorvane::win32::testing {
namespace {

TEST_F(WindowTest, AQuickSecondClickIsASecondPress)
{
    const HWND button = Control(MainControl::GenerateButton);
    const LPARAM inside = MAKELPARAM(5, 5);
    SetWindowTextW(Control(MainControl::LengthField), L"30");
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(button, WM_LBUTTONUP, 0, inside);
    Pump();
    const std::string first = Text(MainControl::PasswordField);
    ASSERT_EQ(first.size(), 30u);

    // What the button gets for the second click of a double-click.
    SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    EXPECT_TRUE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageW(button, WM_LBUTTONUP, 0, inside);
    Pump();
    EXPECT_NE(Text(MainControl::PasswordField), first);
}

// Ctrl+`key` on the focused control, as the keyboard would give it.
void ControlKey(HWND control, int key)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(control, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

CHARRANGE Selection(HWND field)
{
    CHARRANGE range{};
    SendMessageW(field, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

// The field breaks a password longer than a line by itself (the main window's
// tests see it wrap), and a password is one word to Ctrl and the arrows.
TEST_F(WindowTest, CtrlAndArrowsMoveOverAPassword)
{
    Generate(L"300");
    const HWND field = Control(MainControl::PasswordField);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, 0);
    ControlKey(field, VK_RIGHT);
    EXPECT_GT(Selection(field).cpMin, 0);
    SendMessageW(field, EM_SETSEL, 300, 300);
    ControlKey(field, VK_LEFT);
    EXPECT_LT(Selection(field).cpMin, 300);
}

TEST_F(WindowTest, DrawingGivesTheDeviceContextBackUnchanged)
{
    const HWND button = Control(MainControl::GenerateButton);
    RECT face;
    GetClientRect(button, &face);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, face.right, face.bottom);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ original = SelectObject(dc, bitmap);
    SetTextColor(dc, RGB(1, 2, 3));

    DRAWITEMSTRUCT draw{ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(button)),
                        0,          ODA_DRAWENTIRE,
                        ODS_FOCUS,  button,
                        dc,         face,
                        0};
    SendMessageW(window_->Handle(), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));

    SelectObject(dc, original);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// On Windows the dialog manager moves the focus on an arrow key to the next
// control of the group (GetNextDlgGroupItem); Wine's leaves a plain window's
// focus alone, so the groups themselves are checked.
TEST_F(WindowTest, ArrowKeysFindNoOtherControlInTheGroup)
{
    for (std::size_t i = 0; i < forms::kMainWindow.controls.size(); ++i) {
        if (!forms::kMainWindow.controls[i].TakesFocus())
            continue;
        const HWND control = window_->Control(static_cast<MainControl>(i));
        for (const BOOL previous : {FALSE, TRUE})
            EXPECT_EQ(GetNextDlgGroupItem(window_->Handle(), control, previous), control)
                << forms::kMainWindow.controls[i].objectName;
    }
}

} // namespace
} // namespace zorvane::win32::testing
