// SPDX-License-Identifier: MIT
// Every copy of a password carries the formats that keep it out of clipboard
// history and cloud sync. Dragging is not tested: Wine's rich edit starts no
// drag (its riched20.dll does not even import DoDragDrop); on Windows a drag
// asks the same callback for its data (Microsoft's
// "IRichEditOleCallback::GetClipboardData", RECO_DRAG).
#include "support.h"

#include <functional>

namespace zorvane::win32::testing {
namespace {

class ClipboardTest : public WindowTest {
protected:
    static void EmptyTheClipboard()
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
    }
    // The clipboard's text, and each marker's DWORD ("absent" if missing).
    static std::vector<std::string> Clipboard()
    {
        std::vector<std::string> found;
        if (!OpenClipboard(nullptr))
            return {"cannot open"};
        const HANDLE text = GetClipboardData(CF_UNICODETEXT);
        found.push_back(text ? Narrow(static_cast<const wchar_t *>(GlobalLock(text))) : "absent");
        if (text)
            GlobalUnlock(text);
        for (const wchar_t *name :
             {L"ExcludeClipboardContentFromMonitorProcessing", L"CanIncludeInClipboardHistory",
              L"CanUploadToCloudClipboard"}) {
            const HANDLE data = GetClipboardData(RegisterClipboardFormatW(name));
            if (!data || GlobalSize(data) < sizeof(DWORD)) {
                found.push_back("absent");
                continue;
            }
            found.push_back(std::to_string(*static_cast<const DWORD *>(GlobalLock(data))));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return found;
    }
    static void PressWithControl(int key)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PressKey(key);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
};

TEST_F(ClipboardTest, EveryCopyCarriesThePrivacyFormats)
{
    Generate(L"12");
    const HWND field = Control(MainControl::PasswordField);
    const std::string password = Text(MainControl::PasswordField);
    ASSERT_EQ(password.size(), 12u);
    SetFocus(field);
    Pump();

    const std::vector<std::pair<const char *, std::function<void()>>> copies = {
        // What the field's menu sends for Copy.
        {"menu Copy", [field] { SendMessageW(field, WM_COPY, 0, 0); }},
        {"Ctrl+C", [] { PressWithControl('C'); }},
        {"Ctrl+Insert", [] { PressWithControl(VK_INSERT); }},
    };
    for (const auto &[way, copy] : copies) {
        SCOPED_TRACE(way);
        EmptyTheClipboard();
        SendMessageW(field, EM_SETSEL, 0, -1);
        copy();
        Pump();
        EXPECT_EQ(Clipboard(), (std::vector<std::string>{password, "0", "0", "0"}));
    }
}

} // namespace
} // namespace zorvane::win32::testing
