// SPDX-License-Identifier: MIT
#include "random_source.h"
#include "support.h"
#include "symbols.h"

#include <array>

namespace zorvane::win32 {
namespace {

using namespace testing;

using Form1Test = WindowTest;

TEST_F(Form1Test, ScalesToTheDpiAndOpensCentred)
{
    using Box = std::array<LONG, 4>; // left, top, width, height
    const auto box = [](RECT r) { return Box{r.left, r.top, r.right - r.left, r.bottom - r.top}; };
    const struct {
        int dpi;
        Box client, text1;
        LONG fontHeight;
    } cases[] = {{96, {0, 0, 254, 255}, {160, 16, 33, 25}, 13},
                 {144, {0, 0, 381, 383}, {240, 24, 50, 38}, 20}};
    for (const auto &c : cases) {
        Open(c.dpi);
        RECT client;
        GetClientRect(form_->Handle(), &client);
        EXPECT_EQ(box(client), c.client);
        const RECT text1 = PlaceOf(Control("Text1"));
        EXPECT_EQ(box(text1), c.text1);
        // Asked for at the scaled size, and drawn in the named face itself.
        // (Wine's raster "MS Sans Serif" stops at 16 pixels; Windows' goes on.)
        LOGFONTW asked{};
        GetObjectW(form_->contents().FontOf(Control("Label1")), sizeof(asked), &asked);
        EXPECT_EQ(asked.lfHeight, -c.fontHeight) << c.dpi;
        EXPECT_EQ(FaceOf(Control("Label1")), "MS Sans Serif") << c.dpi;
        // Text1 overlaps Label1's box and is the one seen there.
        EXPECT_EQ(ChildWindowFromPoint(form_->Handle(), {text1.left + 1, text1.top + 1}),
                  Control("Text1"));
    }
    RECT frame, area;
    GetWindowRect(form_->Handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 1);
}

TEST_F(Form1Test, PaintsTheTablesColours)
{
    const HWND window = form_->Handle();
    ExpectDrawnAsDescribed(window, form_->contents(), forms::kForm1);
    // A read-only field asks its parent for colours as a label does, yet keeps
    // the system's; a button's caption is black on its face.
    EXPECT_TRUE(Has(window, PlaceOf(Control("Text2")), GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(Has(window, PlaceOf(Control("Command2")), RGB(0, 0, 0)));
    Generate(L"7");
    EXPECT_TRUE(Has(window, PlaceOf(Control("Label3")), RGB(255, 0, 0)));
}

TEST_F(Form1Test, GenerateReplacesThePasswordOrSaysWhyThereIsNone)
{
    const auto fits = [this](const char *name) {
        const HWND button = Control(name);
        const std::wstring caption = form_->contents().Caption(button);
        HDC dc = GetDC(button);
        SelectObject(dc, form_->contents().FontOf(button));
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        ReleaseDC(button, dc);
        const RECT place = PlaceOf(button);
        return extent.cx <= place.right - place.left - 6;
    };
    for (const char *name : {"Command1", "Command2", "Command3"})
        EXPECT_TRUE(fits(name)) << name;
    LOGFONTW about{};
    GetObjectW(form_->contents().FontOf(Control("Command3")), sizeof(about), &about);
    EXPECT_EQ(about.lfHeight, -forms::FontPixels(*forms::kForm1.font)) << "fits: not shrunk";
    // The window text is what a screen reader says: "Exit", not four letters.
    EXPECT_EQ(Text(Control("Command2")), "Exit");

    Generate(L"5");
    const std::string password = Text(Control("Text2"));
    ASSERT_EQ(password.size(), 5u);
    EXPECT_NE(LeadLetterTable.find(password[0]), std::string_view::npos);
    EXPECT_EQ(password.find_first_not_of(SymbolTable), std::string::npos);
    EXPECT_EQ(Text(Control("Label3")), "4200");
    EXPECT_EQ(Text(Control("Command1")), kAnotherOneCaption);
    EXPECT_TRUE(fits("Command1"));
    Generate(L"3");
    EXPECT_EQ(Text(Control("Text2")).size(), 3u);

    // Text the core cannot read as a number counts as none, whatever it is.
    Generate(L"\u0661\u0662 \U0001F600 \xD800");
    EXPECT_EQ(Text(Control("Label3")), "0");
    EXPECT_EQ(Text(Control("Text2")), "");

    struct Failing final : RandomSource {
        bool Fill(std::span<std::uint8_t>) override { return false; }
    };
    Generate(L"6");
    form_->SetRandomSource(std::make_unique<Failing>());
    Generate(L"6");
    EXPECT_EQ(Text(Control("Text2")), "");
    EXPECT_EQ(Text(Control("Label3")), "25200");
    // The explanation, in grey, at the start of the field (its frame and
    // scroll bar have grey parts of their own).
    const RECT text2 = PlaceOf(Control("Text2")),
               start{text2.left + 4, text2.top + 4, (text2.left + text2.right) / 2, text2.top + 20};
    EXPECT_TRUE(Has(form_->Handle(), start, GetSysColor(COLOR_GRAYTEXT)));
}

TEST_F(Form1Test, ALongPasswordWrapsAndScrolls)
{
    Generate(L"32767");
    const HWND text2 = Control("Text2");
    EXPECT_EQ(GetWindowTextLengthW(text2), 32767);
    EXPECT_GT(SendMessageW(text2, EM_GETLINECOUNT, 0, 0), 100) << "wraps within the field";
    SCROLLINFO scroll{sizeof(scroll), SIF_ALL};
    GetScrollInfo(text2, SB_VERT, &scroll);
    EXPECT_GT(scroll.nMax, static_cast<int>(scroll.nPage));
}

TEST_F(Form1Test, KeyboardFollowsTheTableAndOnlyTheFocusedButtonReacts)
{
    EXPECT_EQ(GetFocus(), Control("Text1"));
    for (const char *next : {"Command1", "Command2", "Text2", "Command3", "Text1"}) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), Control(next)) << next;
    }

    // Enter in either field and Esc anywhere start nothing.
    SetWindowTextW(Control("Text1"), L"4");
    for (const char *name : {"Text1", "Text2", "Command1"}) {
        SetFocus(Control(name));
        if (name[0] == 'T')
            PressKey(VK_RETURN);
        PressKey(VK_ESCAPE);
    }
    EXPECT_EQ(Text(Control("Label3")), "");
    EXPECT_TRUE(endedWith_.empty() && form_->Exists());

    // Space presses the focused button, which looks pressed while held; once
    // up, a ring inside its edge shows the focus.
    const HWND window = form_->Handle(), command1 = Control("Command1");
    const RECT place = PlaceOf(command1),
               face{place.left + 8, place.top + 8, place.left + 9, place.top + 9};
    PostMessageW(command1, WM_KEYDOWN, VK_SPACE, 1);
    Pump();
    EXPECT_FALSE(Has(window, face, RGB(255, 255, 0)));
    PostMessageW(command1, WM_KEYUP, VK_SPACE, kKeyUp);
    Pump();
    EXPECT_EQ(Text(Control("Label3")), "840");
    const RECT ring{place.left + 4, place.top + 3, place.right - 4, place.top + 4};
    EXPECT_LT(Count(window, ring, RGB(255, 255, 0)), ring.right - ring.left - 10);

    SetFocus(Control("Command3"));
    PressKey(VK_RETURN);
    EXPECT_TRUE(form_->AboutWindow() && form_->AboutWindow()->IsShown());
}

// Checks the exit question's box once it shows, then answers No.
void CALLBACK CheckTheBoxAndAnswerNo(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const HWND box = GetActiveWindow();
    EXPECT_EQ(Text(box), forms::kApplicationTitle);
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), forms::kQuitQuestion);
    EXPECT_TRUE(GetDlgItem(box, IDNO) && !GetDlgItem(box, IDCANCEL));
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(box, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON);
    const HWND icon = GetDlgItem(box, 20); // where a message box shows its icon
    EXPECT_TRUE(!icon || !IsWindowVisible(icon) || !SendMessageW(icon, STM_GETICON, 0, 0));
    PostMessageW(box, WM_COMMAND, IDNO, 0);
}

TEST_F(Form1Test, ExitAnsweredNoChangesNothingAndYesEndsTheProgram)
{
    Generate(L"4");
    const Form2 &about = About();
    const std::string password = Text(Control("Text2"));
    SetTimer(nullptr, 0, 50, &CheckTheBoxAndAnswerNo);
    Click(Control("Command2"));
    EXPECT_TRUE(endedWith_.empty() && IsWindowVisible(form_->Handle()) && about.IsShown());
    EXPECT_EQ(Text(Control("Text2")), password);

    const HWND main = form_->Handle(), aboutWindow = about.Handle();
    HWND asked = nullptr;
    form_->SetConfirmQuit([&asked](HWND owner) {
        asked = owner;
        return true;
    });
    Click(Control("Command2"));
    EXPECT_EQ(asked, main) << "the question belongs to the main window";
    EXPECT_EQ(endedWith_, std::vector<int>{0});
    EXPECT_FALSE(IsWindow(main) || IsWindow(aboutWindow));
}

TEST_F(Form1Test, AboutShowsOneOwnedWindowAndBackHidesIt)
{
    EXPECT_EQ(form_->AboutWindow(), nullptr) << "created on first need";
    const HWND first = About().Handle();
    EXPECT_EQ(GetWindow(first, GW_OWNER), form_->Handle()) << "stays in front";
    EXPECT_TRUE(IsWindowEnabled(form_->Handle())) << "not modal";
    // Back hides it; About, pressed again or not, shows the same window.
    for (const bool back : {false, true}) {
        if (back)
            Click(form_->AboutWindow()->Control("Command1"));
        EXPECT_EQ(form_->AboutWindow()->IsShown(), !back);
        const Form2 &again = About();
        EXPECT_TRUE(again.Handle() == first && again.IsShown()) << back;
    }
    // Closing it through its frame destroys it; the next About makes a new one.
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(first) || form_->AboutWindow());
    EXPECT_TRUE(About().IsShown() && endedWith_.empty());
}

TEST_F(Form1Test, ClosingTheMainWindowAlwaysEndsTheProgram)
{
    // About never opened, shown, hidden.
    for (const int about : {0, 1, 2}) {
        Open(96);
        endedWith_.clear();
        const HWND aboutWindow = about > 0 ? About().Handle() : nullptr;
        if (about > 1)
            form_->AboutWindow()->Hide();
        SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_EQ(endedWith_, std::vector<int>{0}) << about;
        EXPECT_FALSE(form_->Exists() || (aboutWindow && IsWindow(aboutWindow))) << about;
    }
}

TEST_F(Form1Test, TheWindowsOwnFocusEventHidesTheAboutWindow)
{
    // With its controls enabled the window passes the focus on to one.
    SetFocus(form_->Handle());
    Pump();
    EXPECT_TRUE(IsChild(form_->Handle(), GetFocus()));
    EXPECT_EQ(form_->AboutWindow(), nullptr);

    for (const char *name : {"Text1", "Text2", "Command1", "Command2", "Command3"})
        EnableWindow(Control(name), FALSE);
    for (const bool shown : {false, true}) {
        if (shown)
            form_->AboutWindow()->Show();
        SetFocus(form_->Handle());
        Pump();
        ASSERT_NE(form_->AboutWindow(), nullptr) << "created, hidden";
        EXPECT_FALSE(form_->AboutWindow()->IsShown());
    }
}

} // namespace
} // namespace zorvane::win32
