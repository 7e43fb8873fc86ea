// SPDX-License-Identifier: MIT
// Every copy of a password carries the formats that keep it out of clipboard
// history and cloud sync. Dragging is not tested: Wine's rich edit starts no
// drag (its riched20.dll does not even import DoDragDrop); on Windows a drag
// asks the same callback for its data (Microsoft's
// "IRichEditOleCallback::GetClipboardData", RECO_DRAG).
#include "support.h"

namespace zorvane::win32::testing {
namespace {

class ClipboardTest : public WindowTest {
protected:
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
};

TEST_F(ClipboardTest, EveryCopyCarriesThePrivacyFormats)
{
    Generate(L"12");
    const HWND field = Control(MainControl::PasswordField);
    const std::string password = Text(MainControl::PasswordField);
    ASSERT_EQ(password.size(), 12u);
    SetFocus(field);
    Pump();

    for (const auto &[way, key] : kCopyWays) {
        SCOPED_TRACE(way);
        CopyAllOf(field, key);
        EXPECT_EQ(Clipboard(), (std::vector<std::string>{password, "0", "0", "0"}));
    }
}

} // namespace
} // namespace zorvane::win32::testing
