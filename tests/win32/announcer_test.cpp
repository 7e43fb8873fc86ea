// SPDX-License-Identifier: MIT
// What a screen reader is told after each request where the system has no UI
// Automation notification (Wine among them): the live region it watches.
#include "announcer.h"
#include "support.h"

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;

// The live region changes, each time, as a screen reader sees it change.
std::vector<std::string> heard;
void CALLBACK Hear(HWINEVENTHOOK, DWORD, HWND region, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        heard.push_back(WindowTest::Text(region));
}

TEST_F(WindowTest, EachRequestIsAnnouncedWithoutThePasswordInAnUnseenLiveRegion)
{
    window_->SetAnnouncer(MakeSystemAnnouncer(window_->Handle(), false));
    EXPECT_EQ(GetDlgItem(window_->Handle(), kLiveRegionId), nullptr) << "made before its use";
    heard.clear();
    const HWINEVENTHOOK hook =
        SetWinEventHook(0x8019, 0x8019, nullptr, &Hear, GetCurrentProcessId(), GetCurrentThreadId(),
                        WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    SetFocus(Control(GenerateButton));
    Generate(L"4");
    Generate(L"4"); // the same words again are spoken again
    Generate(L"0");
    window_->SetRandomSource(std::make_unique<FailingSource>());
    Generate(L"8");
    Pump();
    UnhookWinEvent(hook);
    EXPECT_EQ(heard,
              (std::vector<std::string>{"New password, 4 characters. Number of Combinations: 840.",
                                        "New password, 4 characters. Number of Combinations: 840.",
                                        "No password. Number of Combinations: 0.",
                                        "No password: the system's random source failed."}));
    EXPECT_EQ(GetFocus(), Control(GenerateButton));
    const HWND region = GetDlgItem(window_->Handle(), kLiveRegionId);
    RECT place;
    GetClientRect(region, &place);
    EXPECT_TRUE(IsRectEmpty(&place));
    EXPECT_TRUE(IsWindowVisible(region)) << "a hidden one is not read";
    EXPECT_FALSE(GetWindowLongPtrW(region, GWL_STYLE) & WS_TABSTOP);
}

} // namespace
} // namespace zorvane::win32::testing
