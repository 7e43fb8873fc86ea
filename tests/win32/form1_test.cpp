// SPDX-License-Identifier: MIT
#include "form1.h"

#include "random_source.h"
#include "support.h"
#include "symbols.h"

#include <memory>
#include <string>
#include <vector>

namespace zorvane::win32 {
namespace {

using testing::Click;
using testing::Describe;
using testing::PlaceOf;
using testing::PressKey;
using testing::Pump;
using testing::Snapshot;

std::string Text(HWND control)
{
    return Narrow(WindowText(control));
}

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override { Open(96); }

    void Open(int dpi)
    {
        form_.reset();
        form_ = std::make_unique<Form1>(GetModuleHandleW(nullptr), dpi);
        ASSERT_TRUE(form_->Exists());
        form_->SetEndProgram([this](int exitCode) { endedWith_.push_back(exitCode); });
        form_->Show();
        Pump();
    }

    HWND Control(const char *name) const { return form_->Control(name); }

    void Generate(const wchar_t *length)
    {
        SetWindowTextW(Control("Text1"), length);
        Click(Control("Command1"));
    }

    std::unique_ptr<Form1> form_;
    std::vector<int> endedWith_; // one exit code per ending of the program
};

TEST_F(Form1Test, PlacesControlsByTheTableAtEachDpi)
{
    const struct {
        int dpi;
        const char *client, *text1, *command2, *text2;
        LONG fontHeight;
    } cases[] = {
        {96, "{0,0 254x255}", "{160,16 33x25}", "{152,88 97x41}", "{8,136 241x113}", 13},
        {144, "{0,0 381x383}", "{240,24 50x38}", "{228,132 146x62}", "{12,204 362x170}", 20},
    };
    for (const auto &c : cases) {
        Open(c.dpi);
        RECT client;
        GetClientRect(form_->Handle(), &client);
        EXPECT_EQ(Describe(client), c.client);
        EXPECT_EQ(Describe(PlaceOf(Control("Text1"))), c.text1);
        EXPECT_EQ(Describe(PlaceOf(Control("Command2"))), c.command2);
        EXPECT_EQ(Describe(PlaceOf(Control("Text2"))), c.text2);

        // Asked for at the scaled size, and drawn in the named face itself,
        // not a stand-in. (Wine's raster "MS Sans Serif" stops at 16 pixels;
        // Windows' has larger strikes.)
        LOGFONTW asked{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(Control("Label1"), WM_GETFONT, 0, 0)),
                   sizeof(asked), &asked);
        EXPECT_EQ(asked.lfHeight, -c.fontHeight) << c.dpi;
        EXPECT_EQ(testing::FaceOf(Control("Label1")), L"MS Sans Serif") << c.dpi;

        // Text1 overlaps Label1's box and is the one seen there.
        const RECT text1 = PlaceOf(Control("Text1"));
        EXPECT_EQ(ChildWindowFromPoint(form_->Handle(), {text1.left + 1, text1.top + 1}),
                  Control("Text1"));
    }

    // Centred on the work area.
    RECT frame, area;
    GetWindowRect(form_->Handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 1);
}

TEST_F(Form1Test, PaintsEachColourOfTheTable)
{
    const Snapshot image(form_->Handle());
    const struct {
        const char *what;
        POINT at;
        COLORREF colour;
    } pixels[] = {
        {"background", {252, 253}, RGB(128, 255, 128)},
        {"background between buttons", {130, 100}, RGB(128, 255, 128)},
        {"Shape1", {4, 28}, RGB(255, 0, 0)},
        {"Shape2", {4, 60}, RGB(255, 0, 0)},
        {"Command1 face", {8 + 4, 88 + 4}, RGB(255, 255, 0)},
        {"Command2 face", {152 + 4, 88 + 36}, RGB(255, 128, 128)},
        {"Command3 face", {208 + 4, 8 + 4}, RGB(0, 192, 0)},
        {"Text2", {20, 200}, GetSysColor(COLOR_WINDOW)},
    };
    for (const auto &pixel : pixels)
        EXPECT_EQ(image.At(pixel.at.x, pixel.at.y), pixel.colour) << pixel.what;
    EXPECT_TRUE(image.Has(PlaceOf(Control("Label1")), RGB(0, 0, 255)));
    EXPECT_TRUE(image.Has(PlaceOf(Control("Label2")), RGB(0, 0, 255)));
    EXPECT_TRUE(image.Has(PlaceOf(Control("Command2")), RGB(0, 0, 0))) << "black caption";

    Generate(L"7");
    EXPECT_TRUE(Snapshot(form_->Handle()).Has(PlaceOf(Control("Label3")), RGB(255, 0, 0)));
}

TEST_F(Form1Test, EveryCaptionShowsWholeAndButtonsAreNamedByWhatTheyDo)
{
    const auto fits = [this](const char *name) {
        const HWND button = Control(name);
        const std::wstring caption = form_->contents().Caption(button);
        HDC dc = GetDC(button);
        const HGDIOBJ original = SelectObject(dc, form_->contents().FontOf(button));
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        SelectObject(dc, original);
        ReleaseDC(button, dc);
        const RECT place = PlaceOf(button);
        return extent.cx <= place.right - place.left - 6;
    };
    for (const char *name : {"Command1", "Command2", "Command3"})
        EXPECT_TRUE(fits(name)) << name;
    LOGFONTW about{};
    GetObjectW(form_->contents().FontOf(Control("Command3")), sizeof(about), &about);
    EXPECT_EQ(about.lfHeight, -13) << "a caption that fits keeps its font";
    // The window text is what a screen reader says: "Exit", not four letters.
    EXPECT_EQ(Text(Control("Command2")), "Exit");

    Generate(L"1");
    EXPECT_EQ(form_->contents().Caption(Control("Command1")), L"I want another one!!");
    EXPECT_EQ(Text(Control("Command1")), "I want another one!!");
    EXPECT_TRUE(fits("Command1"));
}

TEST_F(Form1Test, GenerateFillsTheThreeTextsAndReplacesThem)
{
    Generate(L"5");
    const std::string password = Text(Control("Text2"));
    ASSERT_EQ(password.size(), 5u);
    EXPECT_NE(LeadLetterTable.find(password[0]), std::string_view::npos);
    EXPECT_EQ(password.find_first_not_of(SymbolTable), std::string::npos);
    EXPECT_EQ(Text(Control("Label3")), "4200");
    EXPECT_EQ(Text(Control("Text1")), "5");

    Generate(L"8");
    EXPECT_EQ(Text(Control("Label3")), "Infinity");
    Generate(L"3");
    EXPECT_EQ(Text(Control("Label3")), "210");
    EXPECT_EQ(Text(Control("Text2")).size(), 3u);

    // Text the core cannot read as a number counts as none, whatever it is.
    Generate(L"\u0661\u0662 \U0001F600 \xD800");
    EXPECT_EQ(Text(Control("Label3")), "0");
    EXPECT_EQ(Text(Control("Text2")), "");
}

TEST_F(Form1Test, ALongPasswordWrapsScrollsAndCopies)
{
    Generate(L"32767");
    const HWND text2 = Control("Text2");
    EXPECT_EQ(GetWindowTextLengthW(text2), 32767);
    EXPECT_GT(SendMessageW(text2, EM_GETLINECOUNT, 0, 0), 100) << "wraps within the field";
    SCROLLINFO scroll{sizeof(scroll), SIF_ALL};
    GetScrollInfo(text2, SB_VERT, &scroll);
    EXPECT_GT(scroll.nMax, static_cast<int>(scroll.nPage));

    SendMessageW(text2, EM_SETSEL, 0, -1);
    SendMessageW(text2, WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(form_->Handle()));
    std::wstring copied;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        copied = static_cast<const wchar_t *>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_TRUE(copied == WindowText(text2)) << copied.size() << " characters copied";
}

TEST_F(Form1Test, AFailedRandomSourceShowsNoPasswordAndSaysWhy)
{
    struct Failing final : RandomSource {
        bool Fill(std::span<std::uint8_t>) override { return false; }
    };
    Generate(L"6");
    form_->SetRandomSource(std::make_unique<Failing>());
    Generate(L"6");
    EXPECT_EQ(Text(Control("Text2")), "");
    EXPECT_EQ(Text(Control("Label3")), "25200");
    const Snapshot image(form_->Handle());
    EXPECT_TRUE(image.Has(PlaceOf(Control("Text2")), GetSysColor(COLOR_GRAYTEXT)));
}

TEST_F(Form1Test, KeyboardFollowsTheTableAndOnlyTheFocusedButtonReacts)
{
    EXPECT_EQ(GetFocus(), Control("Text1"));
    std::vector<HWND> visited;
    for (int step = 0; step < 5; ++step) {
        PressKey(VK_TAB);
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited,
              (std::vector<HWND>{Control("Command1"), Control("Command2"), Control("Text2"),
                                 Control("Command3"), Control("Text1")}));
    PressKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), Control("Command3"));

    // Enter in either field and Esc anywhere start nothing.
    SetFocus(Control("Text1"));
    PostMessageW(Control("Text1"), WM_CHAR, L'4', 1);
    for (const char *field : {"Text1", "Text2"}) {
        SetFocus(Control(field));
        PressKey(VK_RETURN);
        PressKey(VK_ESCAPE);
    }
    SetFocus(Control("Command1"));
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Text(Control("Label3")), "");
    EXPECT_TRUE(endedWith_.empty() && form_->Exists());

    // Space presses the focused button, which looks pressed while held.
    const RECT place = PlaceOf(Control("Command1"));
    PostMessageW(Control("Command1"), WM_KEYDOWN, VK_SPACE, 1);
    Pump();
    EXPECT_NE(Snapshot(form_->Handle()).At(place.left + 8, place.top + 8), RGB(255, 255, 0));
    PostMessageW(Control("Command1"), WM_KEYUP, VK_SPACE, testing::kKeyUp);
    Pump();
    EXPECT_EQ(Text(Control("Label3")), "840");

    // A keyboard user sees which button has the focus: a ring inside its edge.
    const Snapshot focused(form_->Handle());
    int ring = 0;
    for (int x = place.left + 4; x < place.right - 4; ++x)
        ring += focused.At(x, place.top + 3) != RGB(255, 255, 0);
    EXPECT_GT(ring, 10);

    SetWindowTextW(Control("Text1"), L"2");
    PressKey(VK_RETURN);
    EXPECT_EQ(Text(Control("Label3")), "70");
    SetFocus(Control("Command3"));
    PressKey(VK_RETURN);
    ASSERT_NE(form_->AboutWindow(), nullptr);
    EXPECT_TRUE(form_->AboutWindow()->IsShown());
}

// Checks the exit question's box once it shows, then answers No.
void CALLBACK CheckTheBoxAndAnswerNo(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const HWND box = GetActiveWindow();
    EXPECT_EQ(Text(box), "Zorvane");
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), "Are you sure you want to quit?");
    EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(box, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON);
    const HWND icon = GetDlgItem(box, 20); // where a message box shows its icon
    EXPECT_TRUE(!icon || !IsWindowVisible(icon) || !SendMessageW(icon, STM_GETICON, 0, 0));
    PostMessageW(box, WM_COMMAND, IDNO, 0);
}

TEST_F(Form1Test, ExitAnsweredNoChangesNothingAndYesEndsTheProgram)
{
    Generate(L"4");
    Click(Control("Command3"));
    const std::string password = Text(Control("Text2"));
    SetTimer(nullptr, 0, 50, &CheckTheBoxAndAnswerNo);
    Click(Control("Command2"));
    EXPECT_TRUE(endedWith_.empty());
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    ASSERT_NE(form_->AboutWindow(), nullptr);
    EXPECT_TRUE(form_->AboutWindow()->IsShown());
    EXPECT_EQ(Text(Control("Text2")), password);
    EXPECT_EQ(Text(Control("Label3")), "840");

    const HWND main = form_->Handle(), about = form_->AboutWindow()->Handle();
    HWND asked = nullptr;
    form_->SetConfirmQuit([&asked](HWND owner) {
        asked = owner;
        return true;
    });
    Click(Control("Command2"));
    EXPECT_EQ(asked, main) << "the question belongs to the main window";
    EXPECT_EQ(endedWith_, std::vector<int>{0});
    EXPECT_FALSE(IsWindow(main) || IsWindow(about));
}

BOOL CALLBACK CountIfAbout(HWND window, LPARAM count)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    *reinterpret_cast<int *>(count) += std::wstring(className) == Form2::kClassName;
    return TRUE;
}

TEST_F(Form1Test, AboutShowsOneOwnedWindowAndBackHidesIt)
{
    EXPECT_EQ(form_->AboutWindow(), nullptr) << "created on first need";
    Click(Control("Command3"));
    Click(Control("Command3"));
    Form2 *about = form_->AboutWindow();
    ASSERT_NE(about, nullptr);
    int aboutWindows = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountIfAbout, reinterpret_cast<LPARAM>(&aboutWindows));
    EXPECT_EQ(aboutWindows, 1);
    EXPECT_TRUE(about->IsShown());
    EXPECT_EQ(GetWindow(about->Handle(), GW_OWNER), form_->Handle()) << "stays in front";
    EXPECT_TRUE(IsWindowEnabled(form_->Handle())) << "not modal";

    const HWND first = about->Handle();
    Click(about->Control("Command1"));
    EXPECT_FALSE(about->IsShown());
    Click(Control("Command3"));
    EXPECT_EQ(form_->AboutWindow()->Handle(), first) << "the same window, shown again";
    EXPECT_TRUE(about->IsShown());

    // Closing it through its frame destroys it; the next About makes a new one.
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(form_->AboutWindow(), nullptr);
    Click(Control("Command3"));
    ASSERT_NE(form_->AboutWindow(), nullptr);
    EXPECT_TRUE(form_->AboutWindow()->IsShown());
    EXPECT_TRUE(endedWith_.empty());
}

TEST_F(Form1Test, ClosingTheMainWindowAlwaysEndsTheProgram)
{
    const struct {
        const char *situation;
        bool openAbout, hideAbout;
    } cases[] = {
        {"About never opened", false, false},
        {"About shown", true, false},
        {"About hidden", true, true},
    };
    for (const auto &c : cases) {
        Open(96);
        endedWith_.clear();
        if (c.openAbout)
            Click(Control("Command3"));
        if (c.hideAbout)
            form_->AboutWindow()->Hide();
        const HWND about = c.openAbout ? form_->AboutWindow()->Handle() : nullptr;
        SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_EQ(endedWith_, std::vector<int>{0}) << c.situation;
        EXPECT_FALSE(form_->Exists()) << c.situation;
        EXPECT_FALSE(about && IsWindow(about)) << c.situation;
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
    SetFocus(form_->Handle());
    Pump();
    ASSERT_NE(form_->AboutWindow(), nullptr) << "created, hidden";
    EXPECT_FALSE(form_->AboutWindow()->IsShown());

    form_->AboutWindow()->Show();
    SetFocus(form_->Handle());
    Pump();
    EXPECT_FALSE(form_->AboutWindow()->IsShown());
}

} // namespace
} // namespace zorvane::win32
