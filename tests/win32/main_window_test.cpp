// SPDX-License-Identifier: MIT
#include "builder.h"
#include "random_source.h"
#include "support.h"

#include <array>

namespace zorvane::win32 {
namespace {

using namespace testing;
using enum forms::MainControl;

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, ScalesToTheDpiOpensCentredAndPaintsTheTablesColours)
{
    using Box = std::array<LONG, 4>; // left, top, width, height
    const auto box = [](RECT r) { return Box{r.left, r.top, r.right - r.left, r.bottom - r.top}; };
    const struct {
        int dpi;
        Box client, lengthField;
        LONG fontHeight;
    } cases[] = {{96, {0, 0, 254, 255}, {160, 16, 33, 25}, 13},
                 {144, {0, 0, 381, 383}, {240, 24, 50, 38}, 20}};
    for (const auto &c : cases) {
        Open(c.dpi);
        RECT client;
        GetClientRect(window_->Handle(), &client);
        EXPECT_EQ(box(client), c.client);
        const RECT field = PlaceOf(Control(LengthField));
        EXPECT_EQ(box(field), c.lengthField);
        // Asked for at the scaled size, and drawn in the named face itself.
        // (Wine's raster "MS Sans Serif" stops at 16 pixels; Windows' goes on.)
        LOGFONTW asked{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(LengthLabel), WM_GETFONT, 0, 0)),
                   sizeof(asked), &asked);
        EXPECT_EQ(asked.lfHeight, -c.fontHeight) << c.dpi;
        // The length field overlaps its label's box and is the one seen there.
        EXPECT_EQ(ChildWindowFromPoint(window_->Handle(), {field.left + 1, field.top + 1}),
                  Control(LengthField));
        Generate(L"7");
        ExpectDrawnAsDescribed(window_->Handle(), forms::kMainWindow, window_->Controls());
    }
    RECT frame, area;
    GetWindowRect(window_->Handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 1);
    // A read-only field asks its parent for colours as a label does, yet
    // keeps the system's.
    EXPECT_TRUE(Snapshot(window_->Handle())
                    .Has(PlaceOf(Control(PasswordField)), GetSysColor(COLOR_WINDOW)));
}

TEST_F(MainWindowTest, GenerateReplacesThePasswordOrSaysWhyThereIsNone)
{
    // The window text is what a screen reader says: "Exit", not four letters.
    EXPECT_EQ(Text(ExitButton), forms::Row(ExitButton).accessibleName);

    Generate(L"5");
    EXPECT_EQ(Text(PasswordField).size(), 5u);
    EXPECT_EQ(Text(FigureLabel), "4200");
    EXPECT_EQ(Text(GenerateButton), forms::kAnotherOneCaption);
    Generate(L"3");
    EXPECT_EQ(Text(PasswordField).size(), 3u);

    // Text the core cannot read as a number counts as none, whatever it is.
    Generate(L"\u0661\u0662 \U0001F600 \xD800");
    EXPECT_EQ(Text(FigureLabel), "0");
    EXPECT_EQ(Text(PasswordField), "");

    struct Failing final : RandomSource {
        bool Fill(std::span<std::uint8_t>) override { return false; }
    };
    Generate(L"6");
    window_->SetRandomSource(std::make_unique<Failing>());
    Generate(L"6");
    EXPECT_EQ(Text(PasswordField), "");
    EXPECT_EQ(Text(FigureLabel), "25200");
    // The explanation, in grey, at the start of the field (its frame and
    // scroll bar have grey parts of their own).
    const RECT field = PlaceOf(Control(PasswordField)),
               start{field.left + 4, field.top + 4, (field.left + field.right) / 2, field.top + 20};
    EXPECT_TRUE(Snapshot(window_->Handle()).Has(start, GetSysColor(COLOR_GRAYTEXT)));
}

TEST_F(MainWindowTest, ALongPasswordWrapsAndScrolls)
{
    Generate(L"32767");
    const HWND field = Control(PasswordField);
    EXPECT_EQ(GetWindowTextLengthW(field), 32767);
    EXPECT_GT(SendMessageW(field, EM_GETLINECOUNT, 0, 0), 100) << "wraps within the field";
    SCROLLINFO scroll{sizeof(scroll), SIF_ALL};
    GetScrollInfo(field, SB_VERT, &scroll);
    EXPECT_GT(scroll.nMax, static_cast<int>(scroll.nPage));
}

TEST_F(MainWindowTest, KeyboardFollowsTheTableAndOnlyTheFocusedButtonReacts)
{
    EXPECT_EQ(GetFocus(), Control(LengthField));
    for (const auto next : {GenerateButton, ExitButton, PasswordField, AboutButton, LengthField}) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), Control(next)) << forms::Row(next).objectName;
    }

    // Enter in either field and Esc anywhere start nothing.
    SetWindowTextW(Control(LengthField), L"4");
    for (const auto id : {LengthField, PasswordField, GenerateButton}) {
        SetFocus(Control(id));
        if (id != GenerateButton)
            PressKey(VK_RETURN);
        PressKey(VK_ESCAPE);
    }
    EXPECT_EQ(Text(FigureLabel), "");
    EXPECT_TRUE(endedWith_.empty() && window_->Exists());

    // Space presses the focused button, which looks pressed while held: a
    // darker face inside a darker edge; once up, a ring inside its edge
    // shows the focus.
    const HWND window = window_->Handle(), generate = Control(GenerateButton);
    const forms::ButtonColours colours = forms::ButtonColoursOf(*forms::Row(GenerateButton).colour);
    const RECT place = PlaceOf(generate),
               face{place.left + 8, place.top + 8, place.left + 9, place.top + 9},
               edge{place.left, place.top, place.left + 1, place.top + 1};
    PostMessageW(generate, WM_KEYDOWN, VK_SPACE, 1);
    Pump();
    const Snapshot pressed(window);
    EXPECT_TRUE(pressed.Has(face, ColourRef(colours.pressedFace)));
    EXPECT_TRUE(pressed.Has(edge, ColourRef(colours.pressedEdge)));
    PostMessageW(generate, WM_KEYUP, VK_SPACE, kKeyUp);
    Pump();
    EXPECT_EQ(Text(FigureLabel), "840");
    const RECT ring{place.left + 4, place.top + 3, place.right - 4, place.top + 4};
    EXPECT_LT(Snapshot(window).Count(ring, ColourRef(colours.face)), ring.right - ring.left - 10);

    SetFocus(Control(AboutButton));
    PressKey(VK_RETURN);
    EXPECT_TRUE(window_->About() && window_->About()->IsShown());
}

TEST_F(MainWindowTest, TheFocusComesBackWhereItWasAfterAnotherWindowWasActive)
{
    AboutWindow &about = About();
    SetActiveWindow(window_->Handle());
    SetFocus(Control(ExitButton));
    about.Show();
    Pump();
    ASSERT_EQ(GetActiveWindow(), about.Handle());
    SetActiveWindow(window_->Handle());
    Pump();
    EXPECT_EQ(GetFocus(), Control(ExitButton));
}

// A face much wider than the window's own, which never needs fitting.
constexpr forms::Font kWide{"Tahoma", 1400, true};

// Generate's button in that face, one pixel too narrow for the second
// caption at 11 pixels; the last caption is short enough to grow back.
TEST_F(MainWindowTest, EachNewCaptionIsDrawnAtTheLargestSizeThatShowsItWhole)
{
    FontCache fonts;
    const auto widthAt = [&](std::wstring_view caption, int pixels) {
        HDC dc = GetDC(window_->Handle());
        const HGDIOBJ original = SelectObject(dc, fonts.Get(kWide, pixels));
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.data(), static_cast<int>(caption.size()), &extent);
        SelectObject(dc, original);
        ReleaseDC(window_->Handle(), dc);
        return static_cast<int>(extent.cx);
    };
    const std::wstring another = Widen(forms::kAnotherOneCaption);
    const int room = widthAt(another, 11) - 1;
    forms::Control button = forms::Row(GenerateButton);
    button.font = &kWide;
    button.rect.width = (room + forms::kCaptionMargin) * forms::kTwipsPerInch / forms::kDefaultDpi;
    const forms::Window table{"Wide", "Wide", 1800, 700, {}, forms::kSansSerif, {&button, 1}};
    const std::vector<HWND> controls =
        BuildControls(window_->Handle(), GetModuleHandleW(nullptr), table, 96, fonts);
    Captions captions(table, controls, fonts, 96);
    for (const std::wstring &caption :
         {Widen(forms::kGenerateCaption), another, std::wstring(L"Go")}) {
        captions.Set(0, caption);
        LOGFONTW font{};
        GetObjectW(captions.Font(0), sizeof(font), &font);
        const int size = -font.lfHeight;
        EXPECT_LE(widthAt(caption, size), room) << size;
        EXPECT_TRUE(size == forms::FontPixels(kWide) || widthAt(caption, size + 1) > room) << size;
        EXPECT_EQ(testing::Text(controls[0]), Narrow(caption)) << "heard as it reads";
    }
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

TEST_F(MainWindowTest, ExitAnsweredNoChangesNothingAndYesEndsTheProgram)
{
    Generate(L"4");
    const AboutWindow &about = About();
    const std::string password = Text(PasswordField);
    SetTimer(nullptr, 0, 50, &CheckTheBoxAndAnswerNo);
    Click(Control(ExitButton));
    EXPECT_TRUE(endedWith_.empty() && IsWindowVisible(window_->Handle()) && about.IsShown());
    EXPECT_EQ(Text(PasswordField), password);

    const HWND main = window_->Handle(), aboutWindow = about.Handle();
    HWND asked = nullptr;
    window_->SetConfirmQuit([&asked](HWND owner) {
        asked = owner;
        return true;
    });
    Click(Control(ExitButton));
    EXPECT_EQ(asked, main) << "the question belongs to the main window";
    EXPECT_EQ(endedWith_, std::vector<int>{0});
    EXPECT_FALSE(IsWindow(main) || IsWindow(aboutWindow));
}

TEST_F(MainWindowTest, AboutShowsOneOwnedWindowAndBackHidesIt)
{
    EXPECT_EQ(window_->About(), nullptr) << "created on first need";
    const HWND first = About().Handle();
    EXPECT_EQ(GetWindow(first, GW_OWNER), window_->Handle()) << "stays in front";
    EXPECT_TRUE(IsWindowEnabled(window_->Handle())) << "not modal";
    // Back hides it; About, pressed again or not, shows the same window.
    for (const bool back : {false, true}) {
        if (back)
            Click(window_->About()->Control(AboutControl::BackButton));
        EXPECT_EQ(window_->About()->IsShown(), !back);
        const AboutWindow &again = About();
        EXPECT_TRUE(again.Handle() == first && again.IsShown()) << back;
    }
    // Closing it through its frame destroys it; the next About makes a new one.
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(first) || window_->About());
    EXPECT_TRUE(About().IsShown() && endedWith_.empty());
}

TEST_F(MainWindowTest, ClosingTheMainWindowAlwaysEndsTheProgram)
{
    // About never opened, shown, hidden.
    for (const int about : {0, 1, 2}) {
        Open(96);
        endedWith_.clear();
        const HWND aboutWindow = about > 0 ? About().Handle() : nullptr;
        if (about > 1)
            window_->About()->Hide();
        SendMessageW(window_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_EQ(endedWith_, std::vector<int>{0}) << about;
        EXPECT_FALSE(window_->Exists() || (aboutWindow && IsWindow(aboutWindow))) << about;
    }
}

TEST_F(MainWindowTest, TheWindowsOwnFocusEventHidesTheAboutWindow)
{
    // With its controls enabled the window passes the focus on to one.
    SetFocus(window_->Handle());
    Pump();
    EXPECT_TRUE(IsChild(window_->Handle(), GetFocus()));
    EXPECT_EQ(window_->About(), nullptr);

    for (const HWND control : window_->Controls())
        EnableWindow(control, FALSE);
    for (const bool shown : {false, true}) {
        if (shown)
            window_->About()->Show();
        SetFocus(window_->Handle());
        Pump();
        ASSERT_NE(window_->About(), nullptr) << "created, hidden";
        EXPECT_FALSE(window_->About()->IsShown());
    }
}

} // namespace
} // namespace zorvane::win32
