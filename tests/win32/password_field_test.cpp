// SPDX-License-Identifier: MIT
// The password field keeps every copy out of clipboard history and cloud
// sync, and makes none it cannot mark. Dragging is not tested: Wine's rich
// edit starts no drag.
#include "password_field.h"
#include "support.h"

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;

// The clipboard's text, and each marker's DWORD, or "absent".
std::vector<std::string> Clipboard()
{
    if (!OpenClipboard(nullptr))
        return {"cannot open"};
    std::vector<std::string> found;
    for (const wchar_t *name : {L"", L"ExcludeClipboardContentFromMonitorProcessing",
                                L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        const HANDLE data =
            GetClipboardData(*name ? RegisterClipboardFormatW(name) : CF_UNICODETEXT);
        const void *bytes = data && GlobalSize(data) >= sizeof(DWORD) ? GlobalLock(data) : nullptr;
        found.push_back(!bytes  ? "absent"
                        : *name ? std::to_string(*static_cast<const DWORD *>(bytes))
                                : Narrow(static_cast<const wchar_t *>(bytes)));
        if (bytes)
            GlobalUnlock(data);
    }
    CloseClipboard();
    return found;
}

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
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 20,
                        window_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
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

} // namespace
} // namespace zorvane::win32::testing
