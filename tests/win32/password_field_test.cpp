// SPDX-License-Identifier: MIT
// The password field keeps every copy out of clipboard history and cloud
// sync, and makes none it cannot mark. Dragging is not tested: Wine's rich
// edit starts no drag.
#include "password_field.h"
#include "support.h"

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;

TEST_F(WindowTest, EveryCopyCarriesThePrivacyFormats)
{
    Generate(L"12");
    const std::string password = Text(PasswordField);
    ASSERT_EQ(password.size(), 12u);
    SetFocus(Control(PasswordField));
    for (const auto &[way, key] : kCopyWays) {
        CopyAllOf(Control(PasswordField), key);
        EXPECT_EQ(Clipboard(), (std::vector<std::string>{password, "0", "0", "0"})) << way;
    }
}

// A control that takes no callback: a plain edit control.
TEST_F(WindowTest, WithoutACallbackToMarkThemNoCopiesAreMade)
{
    const HWND field =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 20, Main(),
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_FALSE(AttachPasswordField(field));
    std::wstring password = L"not for history";
    ShowPassword(field, password, false);
    SetFocus(field);
    for (const auto &[way, key] : kCopyWays) {
        CopyAllOf(field, key);
        EXPECT_EQ(Clipboard()[0], "absent") << way;
    }
    DestroyWindow(field);
}

// From the keyboard both coordinates are -1, sign-extended or not; a click
// left of or above the primary monitor has only one.
TEST_F(WindowTest, TheMenuOpensAtTheSelectionFromTheKeyboardAndWhereAClickWas)
{
    const HWND field = Control(PasswordField);
    Generate(L"32767");
    POINTL character{};
    SendMessageW(field, EM_SETSEL, 10, 20);
    SendMessageW(field, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&character), 10);
    for (const LPARAM keyboard : {LPARAM{-1}, static_cast<LPARAM>(0xFFFFFFFFu)}) {
        POINT at = ContextMenuPoint(field, keyboard);
        ScreenToClient(field, &at);
        EXPECT_TRUE(at.x == character.x && at.y >= character.y && at.y <= character.y + 13);
    }
    // Scrolled out of sight, the selection gives way to the corner.
    SendMessageW(field, WM_VSCROLL, SB_BOTTOM, 0);
    POINT at = ContextMenuPoint(field, -1);
    ScreenToClient(field, &at);
    EXPECT_TRUE(at.x == 0 && at.y == 0);
    for (const POINT click : {POINT{-1, 50}, POINT{50, -1}}) {
        at = ContextMenuPoint(field, MAKELPARAM(click.x, click.y));
        EXPECT_TRUE(at.x == click.x && at.y == click.y);
    }
}

} // namespace
} // namespace zorvane::win32::testing
