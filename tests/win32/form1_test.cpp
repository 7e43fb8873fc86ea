// SPDX-License-Identifier: MIT
#include "form1.h"

#include "random_source.h"
#include "support.h"
#include "symbols.h"

#include <oleacc.h>

#include <memory>
#include <string>

namespace zorvane::win32 {
namespace {

using testing::Click;
using testing::Describe;
using testing::PlaceOf;
using testing::PressKey;
using testing::Pump;
using testing::Snapshot;

RECT Rect(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

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
        form_->SetEndProgram([this](int exitCode) {
            ++programEnds_;
            lastExitCode_ = exitCode;
        });
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
    int programEnds_ = 0;
    int lastExitCode_ = -1;
};

TEST_F(Form1Test, PlacesControlsByTheTableAtEachDpi)
{
    const struct {
        int dpi;
        SIZE client;
        RECT text1, command2, text2;
        int fontHeight;
    } cases[] = {
        {96, {254, 255}, Rect(160, 16, 33, 25), Rect(152, 88, 97, 41), Rect(8, 136, 241, 113), 13},
        {144,
         {381, 383},
         Rect(240, 24, 50, 38),
         Rect(228, 132, 146, 62),
         Rect(12, 204, 362, 170),
         20},
    };
    for (const auto &c : cases) {
        Open(c.dpi);
        testing::KeepForViewing(Snapshot(form_->Handle()),
                                c.dpi == 96 ? L"form1-96dpi" : L"form1-144dpi");
        const SIZE client = testing::ClientSize(form_->Handle());
        EXPECT_EQ(client.cx, c.client.cx) << c.dpi;
        EXPECT_EQ(client.cy, c.client.cy) << c.dpi;
        EXPECT_EQ(Describe(PlaceOf(Control("Text1"))), Describe(c.text1)) << c.dpi;
        EXPECT_EQ(Describe(PlaceOf(Control("Command2"))), Describe(c.command2)) << c.dpi;
        EXPECT_EQ(Describe(PlaceOf(Control("Text2"))), Describe(c.text2)) << c.dpi;
        // Asked for at the scaled size, and drawn in the named face itself,
        // not a stand-in. (Wine's raster "MS Sans Serif" stops at 16 pixels;
        // Windows' has larger strikes.)
        const HWND label1 = Control("Label1");
        LOGFONTW asked{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(label1, WM_GETFONT, 0, 0)), sizeof(asked),
                   &asked);
        EXPECT_EQ(asked.lfHeight, -c.fontHeight) << c.dpi;
        EXPECT_EQ(testing::FontOfControl(label1).face, L"MS Sans Serif") << c.dpi;

        // Text1 overlaps Label1's box and is the one seen there.
        RECT overlap;
        const RECT labelBox = PlaceOf(label1);
        IntersectRect(&overlap, &labelBox, &c.text1);
        ASSERT_FALSE(IsRectEmpty(&overlap));
        EXPECT_EQ(ChildWindowFromPoint(form_->Handle(), {overlap.left + 1, overlap.top + 1}),
                  Control("Text1"));
    }
}

// What a screen reader hears for `control`, through the accessibility runtime.
std::string AccessibleName(HWND control)
{
    IAccessible *accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible, reinterpret_cast<void **>(&accessible))))
        return "(no accessible object)";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string result = "(no name)";
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name) {
        result = Narrow(name);
        SysFreeString(name);
    }
    accessible->Release();
    return result;
}

// The fields' names are annotations, which Wine's accessibility runtime does
// not read; the buttons carry theirs as window text, under any runtime.
TEST_F(Form1Test, ScreenReadersHearTheButtonsByName)
{
    EXPECT_EQ(AccessibleName(Control("Command2")), "Exit") << "not four letters";
    EXPECT_EQ(AccessibleName(Control("Command1")), "Generate Password");
    Generate(L"2");
    EXPECT_EQ(AccessibleName(Control("Command1")), "I want another one!!");
}

TEST_F(Form1Test, FixedFrameCentredOnTheWorkArea)
{
    const LONG_PTR style = GetWindowLongPtrW(form_->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(Text(form_->Handle()), "Zorvane");
    EXPECT_NE(SendMessageW(form_->Handle(), WM_GETICON, ICON_SMALL, 0), 0);

    RECT frame, area;
    GetWindowRect(form_->Handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 1);
}

TEST_F(Form1Test, PaintsEachColourOfTheTable)
{
    const Snapshot image(form_->Handle());
    testing::KeepForViewing(image, L"form1");
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
    // Captions in black on their faces.
    EXPECT_TRUE(image.Has(PlaceOf(Control("Command2")), RGB(0, 0, 0)));

    Generate(L"7");
    EXPECT_TRUE(Snapshot(form_->Handle()).Has(PlaceOf(Control("Label3")), RGB(255, 0, 0)));
}

TEST_F(Form1Test, EveryCaptionShowsWhole)
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

    Generate(L"1");
    EXPECT_EQ(form_->contents().Caption(Control("Command1")), L"I want another one!!");
    EXPECT_TRUE(fits("Command1"));

    // Label1 wraps onto a second line inside its box.
    RECT label1 = PlaceOf(Control("Label1"));
    OffsetRect(&label1, -label1.left, -label1.top);
    const std::wstring text = WindowText(Control("Label1"));
    HDC dc = GetDC(Control("Label1"));
    const HGDIOBJ original = SelectObject(dc, form_->contents().FontOf(Control("Label1")));
    RECT measured = label1;
    const int height = DrawTextW(dc, text.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, original);
    ReleaseDC(Control("Label1"), dc);
    EXPECT_GT(height, 13);
    EXPECT_LE(height, label1.bottom);
}

TEST_F(Form1Test, GenerateFillsTheThreeTextsAndReplacesThem)
{
    Generate(L"5");
    const std::string password = Text(Control("Text2"));
    ASSERT_EQ(password.size(), 5u);
    EXPECT_NE(LeadLetterTable.find(password[0]), std::string_view::npos);
    EXPECT_EQ(password.find_first_not_of(SymbolTable), std::string::npos);
    EXPECT_EQ(Text(Control("Label3")), "4200");
    EXPECT_EQ(Text(Control("Command1")), "I want another one!!") << "its accessible name";
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

TEST_F(Form1Test, ALongPasswordWrapsAndScrolls)
{
    Generate(L"32767");
    const HWND text2 = Control("Text2");
    EXPECT_EQ(GetWindowTextLengthW(text2), 32767);
    EXPECT_GT(SendMessageW(text2, EM_GETLINECOUNT, 0, 0), 100) << "wraps within the field";
    EXPECT_FALSE(GetWindowLongPtrW(text2, GWL_STYLE) & WS_HSCROLL);
    SCROLLINFO scroll{sizeof(scroll), SIF_ALL};
    GetScrollInfo(text2, SB_VERT, &scroll);
    EXPECT_GT(scroll.nMax, static_cast<int>(scroll.nPage));

    // Still selectable and copyable, though read-only.
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
    std::string visited;
    for (int step = 0; step < 5; ++step) {
        PressKey(VK_TAB);
        visited += form_->contents().Caption(GetFocus()).empty() ? "field " : "button ";
        visited += std::to_string(GetDlgCtrlID(GetFocus())) + ' ';
    }
    const auto id = [this](const char *name) {
        return std::to_string(GetDlgCtrlID(Control(name)));
    };
    EXPECT_EQ(visited, "button " + id("Command1") + " button " + id("Command2") + " field " +
                           id("Text2") + " button " + id("Command3") + " field " + id("Text1") +
                           ' ');
    PressKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), Control("Command3"));

    // Enter in either field and Esc anywhere start nothing.
    SetFocus(Control("Text1"));
    PostMessageW(Control("Text1"), WM_CHAR, L'4', 1);
    Pump();
    for (const char *field : {"Text1", "Text2"}) {
        SetFocus(Control(field));
        PressKey(VK_RETURN);
        PressKey(VK_ESCAPE);
    }
    SetFocus(Control("Command1"));
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Text(Control("Label3")), "");
    EXPECT_EQ(Text(Control("Command1")), "Generate Password");
    EXPECT_TRUE(IsWindow(form_->Handle()));
    EXPECT_EQ(programEnds_, 0);

    // Space presses the focused button, which looks pressed while held.
    const RECT place = PlaceOf(Control("Command1"));
    PostMessageW(Control("Command1"), WM_KEYDOWN, VK_SPACE, 1);
    Pump();
    const COLORREF held = Snapshot(form_->Handle()).At(place.left + 8, place.top + 8);
    EXPECT_NE(held, RGB(255, 255, 0)) << "looks pressed";
    PostMessageW(Control("Command1"), WM_KEYUP, VK_SPACE, testing::kKeyUp);
    Pump();
    EXPECT_EQ(Text(Control("Label3")), "840");

    // A keyboard user sees which button has the focus.
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

// Answers the exit question's box once it shows, after checking it.
void CALLBACK AnswerNo(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const HWND box = GetActiveWindow();
    wchar_t className[16] = {};
    GetClassNameW(box, className, 16);
    EXPECT_STREQ(className, L"#32770");
    EXPECT_EQ(Text(box), "Zorvane");
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), "Are you sure you want to quit?");
    EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    const HWND icon = GetDlgItem(box, 20); // where a message box shows its icon
    EXPECT_TRUE(!icon || !IsWindowVisible(icon) || !SendMessageW(icon, STM_GETICON, 0, 0));
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(box, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON);
    PostMessageW(box, WM_COMMAND, IDNO, 0);
}

TEST_F(Form1Test, ExitAnsweredNoChangesNothing)
{
    Generate(L"4");
    Click(Control("Command3"));
    const std::string password = Text(Control("Text2"));

    SetTimer(nullptr, 0, 50, &AnswerNo);
    Click(Control("Command2"));

    EXPECT_EQ(programEnds_, 0);
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    ASSERT_NE(form_->AboutWindow(), nullptr);
    EXPECT_TRUE(form_->AboutWindow()->IsShown());
    EXPECT_EQ(Text(Control("Text1")), "4");
    EXPECT_EQ(Text(Control("Text2")), password);
    EXPECT_EQ(Text(Control("Label3")), "840");
}

TEST_F(Form1Test, ExitAnsweredYesEndsTheProgram)
{
    Click(Control("Command3"));
    const HWND about = form_->AboutWindow()->Handle();
    const HWND main = form_->Handle();
    HWND asked = nullptr;
    form_->SetConfirmQuit([&asked](HWND owner) {
        asked = owner;
        return true;
    });
    Click(Control("Command2"));
    EXPECT_EQ(asked, main) << "the question belongs to the main window";
    EXPECT_EQ(programEnds_, 1);
    EXPECT_EQ(lastExitCode_, 0);
    EXPECT_FALSE(form_->Exists());
    EXPECT_FALSE(IsWindow(about));
}

BOOL CALLBACK CountIfAbout(HWND window, LPARAM count)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    *reinterpret_cast<int *>(count) += std::wstring(className) == Form2::kClassName;
    return TRUE;
}

int CountAboutWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountIfAbout, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(Form1Test, AboutShowsOneOwnedWindowAndBackHidesIt)
{
    EXPECT_EQ(form_->AboutWindow(), nullptr) << "created on first need";
    Click(Control("Command3"));
    Click(Control("Command3"));
    Form2 *about = form_->AboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(CountAboutWindows(), 1);
    EXPECT_TRUE(about->IsShown());
    EXPECT_EQ(GetWindow(about->Handle(), GW_OWNER), form_->Handle()) << "stays in front";
    EXPECT_TRUE(IsWindowEnabled(form_->Handle())) << "not modal";

    const HWND first = about->Handle();
    Click(about->Control("Command1"));
    EXPECT_FALSE(about->IsShown());
    Click(Control("Command3"));
    ASSERT_EQ(form_->AboutWindow(), about);
    EXPECT_EQ(about->Handle(), first) << "the same window, shown again";
    EXPECT_TRUE(about->IsShown());

    // Closing it through its frame destroys it; the next About makes a new one.
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(form_->AboutWindow(), nullptr);
    EXPECT_EQ(programEnds_, 0);
    Click(Control("Command3"));
    ASSERT_NE(form_->AboutWindow(), nullptr);
    EXPECT_TRUE(form_->AboutWindow()->IsShown());
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
        programEnds_ = 0;
        if (c.openAbout)
            Click(Control("Command3"));
        if (c.hideAbout)
            form_->AboutWindow()->Hide();
        const HWND about = c.openAbout ? form_->AboutWindow()->Handle() : nullptr;
        SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_EQ(programEnds_, 1) << c.situation;
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
