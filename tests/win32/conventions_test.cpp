// SPDX-License-Identifier: MIT
// How Windows itself treats the main window's controls, where that differs
// from what a program gets by default. (Focus rings are not tested: Wine's
// WM_QUERYUISTATE answers 0 even after UIS_SET.)
#include "support.h"

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

// The field breaks a password longer than a line by itself (the main window's
// tests see it wrap), and a password is one word to Ctrl and the arrows.
TEST_F(WindowTest, CtrlAndArrowsMoveOverAPassword)
{
    Generate(L"300");
    const HWND field = Control(MainControl::PasswordField);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, 0);
    PressWithControl(VK_RIGHT);
    EXPECT_GT(LOWORD(SendMessageW(field, EM_GETSEL, 0, 0)), 0);
    SendMessageW(field, EM_SETSEL, 300, 300);
    PressWithControl(VK_LEFT);
    EXPECT_LT(LOWORD(SendMessageW(field, EM_GETSEL, 0, 0)), 300);
}

TEST_F(WindowTest, DrawingGivesTheDeviceContextBackUnchanged)
{
    const HWND button = Control(MainControl::GenerateButton);
    RECT face;
    GetClientRect(button, &face);
    const HDC dc = GetDC(button);
    SetTextColor(dc, RGB(1, 2, 3));

    DRAWITEMSTRUCT draw{ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(button)),
                        0,          ODA_DRAWENTIRE,
                        ODS_FOCUS,  button,
                        dc,         face,
                        0};
    SendMessageW(window_->Handle(), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    ReleaseDC(button, dc);
}

// On Windows the dialog manager moves the focus on an arrow key to the next
// control of the group (GetNextDlgGroupItem); Wine's leaves a plain window's
// focus alone, so the groups themselves are checked.
TEST_F(WindowTest, ArrowKeysFindNoOtherControlInTheGroup)
{
    // Labels too: a focusable control must not share their group.
    for (const HWND control : ControlsOf(window_->Handle(), forms::kMainWindow)) {
        if (!control)
            continue;
        for (const BOOL previous : {FALSE, TRUE})
            EXPECT_EQ(GetNextDlgGroupItem(window_->Handle(), control, previous), control)
                << GetDlgCtrlID(control);
    }
}

} // namespace
} // namespace zorvane::win32::testing
