// SPDX-License-Identifier: MIT
// Copies kept out of clipboard history and cloud sync, and no password left behind.
#include "password_field.h"
#include "support.h"

namespace zorvane::win32::testing {

using enum forms::MainControl;

TEST_F(WindowTest, EveryCopyCarriesThePrivacyFormats)
{
    Generate(L"12");
    const std::string password = Text(PasswordField);
    SetFocus(Control(PasswordField));
    for (const auto &[way, key] : kCopyWays) {
        CopyAllOf(Control(PasswordField), key);
        EXPECT_EQ(Clipboard(), (std::vector<std::string>{password, "0", "0", "0"})) << way;
    }
}

struct PlainFieldTest : WindowTest {
    ~PlainFieldTest() override { DestroyWindow(field); }
    const HWND field = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 20,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
};

TEST_F(PlainFieldTest, WithoutACallbackToMarkThemNoCopiesAreMade)
{
    EXPECT_FALSE(AttachPasswordField(field));
    std::wstring password = L"not for history";
    ShowPassword(field, password, false);
    SetFocus(field);
    for (const auto &[way, key] : kCopyWays) {
        CopyAllOf(field, key);
        EXPECT_EQ(Clipboard()[0], "absent") << way;
    }
}

TEST_F(PlainFieldTest, APasswordsWideCopyIsWipedOnceTheFieldHasIt)
{
    std::wstring password(40, L'x');
    ShowPassword(field, password, false);
    EXPECT_EQ(WindowText(field), std::wstring(40, L'x'));
    EXPECT_EQ(std::wstring_view(password.data(), password.capacity()).find_first_not_of(L'\0'),
              std::wstring_view::npos);
}

// From the keyboard both coordinates are -1, sign-extended or not; a click left of or above.
TEST_F(WindowTest, TheMenuOpensAtTheSelectionFromTheKeyboardAndWhereAClickWas)
{
    const HWND field = Control(PasswordField);
    const auto opensAt = [field](LPARAM where) {
        POINT at = ContextMenuPoint(field, where);
        return ScreenToClient(field, &at), std::pair{at.x, at.y};
    };
    Generate(L"32767");
    POINTL character{};
    SendMessageW(field, EM_SETSEL, 10, 20);
    SendMessageW(field, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&character), 10);
    for (const LPARAM keyboard : {LPARAM{-1}, static_cast<LPARAM>(0xFFFFFFFFu)})
        EXPECT_EQ(opensAt(keyboard), std::pair(character.x, character.y + 13)) << "a line below";
    // Scrolled out of sight, the selection gives way to the corner.
    SendMessageW(field, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(opensAt(-1), std::pair(0L, 0L));
    for (const POINT click : {POINT{-1, 50}, POINT{50, -1}}) {
        const POINT at = ContextMenuPoint(field, MAKELPARAM(click.x, click.y));
        EXPECT_EQ(std::pair(at.x, at.y), std::pair(click.x, click.y));
    }
}

} // namespace zorvane::win32::testing
