// SPDX-License-Identifier: MIT
// What a screen reader is told after each request: through the window's
// announcer, and, where the system has no UI Automation notification (Wine
// among them), through the live region a screen reader watches.
#include "announcer.h"
#include "random_source.h"
#include "support.h"

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;

struct Recording final : Announcer {
    explicit Recording(std::vector<forms::Announcement> &heard) : heard_(heard) {}
    void Announce(const forms::Announcement &announcement) override
    {
        heard_.push_back(announcement);
    }
    std::vector<forms::Announcement> &heard_;
};

TEST_F(WindowTest, EachRequestIsAnnouncedOnceWithoutThePasswordAndAFailureUrgently)
{
    std::vector<forms::Announcement> heard;
    window_->SetAnnouncer(std::make_unique<Recording>(heard));
    SetFocus(Control(GenerateButton));
    Generate(L"8");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].text,
              "New password, 8 characters. Number of Combinations: " + Text(Figure) + ".");
    EXPECT_FALSE(heard[0].urgent);
    EXPECT_EQ(heard[0].text.find(Text(PasswordField)), std::string::npos);
    EXPECT_EQ(GetFocus(), Control(GenerateButton));

    Generate(L"0");
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[1].text, "No password. Number of Combinations: 0.");
    EXPECT_FALSE(heard[1].urgent);

    struct Failing final : RandomSource {
        bool Fill(std::span<std::uint8_t>) override { return false; }
    };
    window_->SetRandomSource(std::make_unique<Failing>());
    Generate(L"8");
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[2].text, "No password: the system's random source failed.");
    EXPECT_TRUE(heard[2].urgent);
}

// The live region changes, each time, as a screen reader sees it change.
std::vector<HWND> changedRegions;
void CALLBACK RecordChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        changedRegions.push_back(window);
}

TEST_F(WindowTest, WithoutNotificationsALiveRegionUnseenAndOutOfTheTabOrderSpeaks)
{
    window_->SetAnnouncer(MakeSystemAnnouncer(window_->Handle(), false));
    EXPECT_EQ(GetDlgItem(window_->Handle(), kLiveRegionId), nullptr) << "made before its use";
    changedRegions.clear();
    const HWINEVENTHOOK hook =
        SetWinEventHook(0x8019, 0x8019, nullptr, &RecordChange, GetCurrentProcessId(),
                        GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    SetFocus(Control(GenerateButton));
    Generate(L"8");
    const HWND region = GetDlgItem(window_->Handle(), kLiveRegionId);
    ASSERT_NE(region, nullptr);
    const std::string first = Text(region);
    EXPECT_EQ(first.rfind("New password, 8 characters.", 0), 0u) << first;
    EXPECT_EQ(first.find(Text(PasswordField)), std::string::npos);
    // The same words again are spoken again.
    Generate(L"8");
    Pump();
    UnhookWinEvent(hook);
    EXPECT_EQ(changedRegions, (std::vector<HWND>{region, region}));
    EXPECT_EQ(Text(region), first);

    RECT place;
    GetClientRect(region, &place);
    EXPECT_TRUE(IsRectEmpty(&place));
    EXPECT_TRUE(IsWindowVisible(region)) << "a hidden one is not read";
    EXPECT_FALSE(GetWindowLongPtrW(region, GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(GetFocus(), Control(GenerateButton));
}

} // namespace
} // namespace zorvane::win32::testing
