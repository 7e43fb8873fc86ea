// SPDX-License-Identifier: MIT
#include "random_source.h"
#include "resource.h"
#include "support.h"

#include <array>
#include <tuple>

namespace zorvane::win32 {
namespace {

using namespace testing;
using enum forms::MainControl;
using enum forms::AboutControl;

TEST_F(WindowTest, BothScaleToTheDpiAndPaintTheTablesColoursAndTheMainOneOpensCentred)
{
    using Box = std::array<LONG, 4>; // left, top, width, height
    const auto box = [](RECT r) { return Box{r.left, r.top, r.right - r.left, r.bottom - r.top}; };
    for (const auto &[dpi, client, lengthField] :
         {std::tuple{96, std::array{254, 255}, Box{160, 16, 33, 25}},
          std::tuple{144, std::array{381, 383}, Box{240, 24, 50, 38}}}) {
        Open(dpi);
        EXPECT_EQ(box(PlaceOf(Control(LengthField))), lengthField);
        // The length field overlaps its label's box and is the one seen there.
        EXPECT_EQ(ChildWindowFromPoint(window_->Handle(), {lengthField[0] + 1, lengthField[1] + 1}),
                  Control(LengthField));
        Generate(L"7");
        const Snapshot drawn = ExpectDrawnAsDescribed(window_->Handle(), forms::kMainWindow, dpi);
        EXPECT_EQ((std::array{drawn.width, drawn.height}), client) << "client area";
        // A read-only field asks its parent for colours as a label does, yet keeps the system's.
        EXPECT_TRUE(drawn.Count(PlaceOf(Control(PasswordField)), GetSysColor(COLOR_WINDOW)));
        // Its pictures are judged at more scales, with the text (scaling_test.cpp).
        ExpectDrawnAsDescribed(About(), forms::kAboutWindow, dpi);
    }
    RECT frame, area;
    GetWindowRect(window_->Handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 1);
}

TEST_F(WindowTest, GenerateReplacesThePasswordOrSaysWhyThereIsNone)
{
    // The window text is what a screen reader says: "Exit", not four letters.
    EXPECT_EQ(Text(ExitButton), forms::Row(ExitButton).accessibleName);
    // Text the core cannot read as a number counts as none, whatever it is,
    // and clears the password before it.
    Generate(L"5");
    Generate(L"\u0661\u0662 \U0001F600 \xD800");
    EXPECT_EQ(Text(Figure), "0");
    EXPECT_EQ(Text(PasswordField), "");

    // The longest wraps within the field, which scrolls.
    Generate(L"32767");
    const HWND field = Control(PasswordField);
    EXPECT_EQ(GetWindowTextLengthW(field), 32767);
    EXPECT_GT(SendMessageW(field, EM_GETLINECOUNT, 0, 0), 100);
    SCROLLINFO scroll{sizeof(scroll), SIF_RANGE | SIF_PAGE};
    EXPECT_TRUE(GetScrollInfo(field, SB_VERT, &scroll) && scroll.nMax > int(scroll.nPage));

    struct Failing final : RandomSource {
        bool Fill(std::span<std::uint8_t>) override { return false; }
    };
    window_->SetRandomSource(std::make_unique<Failing>());
    Generate(L"6");
    EXPECT_EQ(Text(PasswordField), "");
    EXPECT_EQ(Text(Figure), "25200");
    // The explanation, in grey, at the start of the field (its frame has grey too).
    const RECT place = PlaceOf(field),
               start{place.left + 4, place.top + 4, (place.left + place.right) / 2, place.top + 20};
    EXPECT_TRUE(Snapshot(window_->Handle()).Count(start, GetSysColor(COLOR_GRAYTEXT)));
}

TEST_F(WindowTest, KeyboardFollowsTheTableAndOnlyTheFocusedButtonReacts)
{
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
    EXPECT_EQ(Text(Figure), "");
    EXPECT_TRUE(endedWith_.empty() && window_->Exists());

    // Space presses the focused button: held, a darker face inside a darker
    // edge; once up, a ring inside its edge shows the focus.
    const HWND generate = Control(GenerateButton);
    const forms::ButtonColours colours = forms::ButtonColoursOf(*forms::Row(GenerateButton).colour);
    const RECT place = PlaceOf(generate);
    PostMessageW(generate, WM_KEYDOWN, VK_SPACE, 1);
    Pump();
    const Snapshot pressed(window_->Handle());
    EXPECT_EQ(pressed.At(place.left + 8, place.top + 8), ColourRef(colours.pressedFace));
    EXPECT_EQ(pressed.At(place.left, place.top), ColourRef(colours.pressedEdge));
    PostMessageW(generate, WM_KEYUP, VK_SPACE, kKeyUp);
    Pump();
    EXPECT_EQ(Text(Figure), "840");
    const RECT ring{place.left + 4, place.top + 3, place.right - 4, place.top + 4};
    EXPECT_LT(Snapshot(window_->Handle()).Count(ring, ColourRef(colours.face)),
              ring.right - ring.left - 10);
}

// A face much wider than the window's own, which never needs fitting.
constexpr forms::Font kWide{"Tahoma", 1400, true};

// A window of one button, which the test captions as it likes.
struct OneButton final : Window {
    static constexpr WindowClass kClass{L"ZorvaneOneButtonTest", WS_POPUP, IDI_ZORVANE};
    explicit OneButton(const forms::Window &table)
        : Window(GetModuleHandleW(nullptr), table, kClass, nullptr, 96)
    {}
    using Window::SetCaption;
};

// Generate's button in that face, one pixel too narrow for the second
// caption at 11 pixels; the last caption is short enough to grow back.
TEST_F(WindowTest, EachNewCaptionIsDrawnAtTheLargestSizeThatShowsItWhole)
{
    FontCache fonts;
    const HDC dc = GetDC(window_->Handle()); // releasing it drops the fonts put in
    const auto widthAt = [&](std::wstring_view caption, int pixels) {
        SelectObject(dc, fonts.Get(kWide, pixels));
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.data(), static_cast<int>(caption.size()), &extent);
        return static_cast<int>(extent.cx);
    };
    const std::wstring another = Widen(forms::kAnotherOneCaption);
    const int room = widthAt(another, 11) - 1;
    forms::Control button = forms::Row(GenerateButton);
    button.font = &kWide;
    button.rect.width = (room + forms::kCaptionMargin) * forms::kTwipsPerInch / forms::kDefaultDpi;
    const forms::Window table{"Wide", "Wide", 1800, 700, {}, forms::kSansSerif, {&button, 1}};
    Window::Register(GetModuleHandleW(nullptr), OneButton::kClass);
    OneButton window(table);
    const HWND control = ControlOf(window.Handle(), 0);
    for (const std::wstring &caption :
         {Widen(forms::kGenerateCaption), another, std::wstring(L"Go")}) {
        window.SetCaption(0, caption);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
                   &font);
        const int size = -font.lfHeight;
        EXPECT_LE(widthAt(caption, size), room) << size;
        EXPECT_TRUE(size == forms::FontPixels(kWide) || widthAt(caption, size + 1) > room) << size;
    }
    ReleaseDC(window_->Handle(), dc);
}

// Checks the exit question's box once it shows, then answers No.
void CALLBACK CheckTheBoxAndAnswerNo(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const HWND box = GetActiveWindow();
    EXPECT_EQ(WindowTest::Text(box), forms::kApplicationTitle);
    EXPECT_EQ(WindowTest::Text(GetDlgItem(box, 0xFFFF)), forms::kQuitQuestion);
    EXPECT_TRUE(GetDlgItem(box, IDNO) && !GetDlgItem(box, IDCANCEL));
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(box, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON);
    // No icon in any child: Windows shows it in control 20, Wine in 1088.
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        EXPECT_FALSE(IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0));
    PostMessageW(box, WM_COMMAND, IDNO, 0);
}

// Closed through its frame, unasked, with About never opened, shown or
// hidden; or by Exit, asked by the main window: No changes nothing, Yes ends it.
TEST_F(WindowTest, ClosingTheMainWindowOrExitAnsweredYesEndsTheProgram)
{
    for (const int way : {0, 1, 2, 3}) {
        Open(96);
        const HWND main = window_->Handle(), about = way > 0 ? About() : nullptr;
        if (way == 2)
            Click(ControlOf(about, BackButton));
        if (way == 3) {
            Generate(L"4");
            const std::string password = Text(PasswordField);
            SetTimer(nullptr, 0, 50, &CheckTheBoxAndAnswerNo);
            Click(Control(ExitButton));
            EXPECT_TRUE(endedWith_.empty() && IsWindowVisible(main) && IsWindowVisible(about));
            EXPECT_EQ(Text(PasswordField), password);
        }
        HWND asked = nullptr;
        window_->SetConfirmQuit([&asked](HWND owner) { return (asked = owner) != nullptr; });
        if (way == 3)
            Click(Control(ExitButton));
        else
            SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(asked, way == 3 ? main : nullptr) << way;
        EXPECT_EQ(endedWith_, std::vector<int>{0}) << way;
        EXPECT_FALSE(window_->Exists() || IsWindow(main) || (about && IsWindow(about))) << way;
        endedWith_.clear();
    }
}

TEST_F(WindowTest, AboutIsOneOwnedWindowThatOnlyBackOrTheMainWindowsOwnFocusHides)
{
    // The main window passes its own focus on to a control that can take it.
    SetFocus(window_->Handle());
    Pump();
    EXPECT_TRUE(IsChild(window_->Handle(), GetFocus()));
    EXPECT_EQ(FindAbout(), nullptr) << "created on first need";
    // Enter presses the focused button.
    SetFocus(Control(AboutButton));
    PressKey(VK_RETURN);
    const HWND first = FindAbout();
    ASSERT_NE(first, nullptr);
    const HWND back = ControlOf(first, BackButton), address = ControlOf(first, WebsiteLabel);
    EXPECT_EQ(GetWindow(first, GW_OWNER), window_->Handle()) << "stays in front";
    EXPECT_TRUE(IsWindowEnabled(window_->Handle())) << "not modal";
    EXPECT_EQ(GetFocus(), back);
    // The web address is plain text, and Esc is no Back.
    PostMessageW(address, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(address, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(first));
    // About, pressed again or not, shows the same window.
    for (const int key : {VK_RETURN, VK_SPACE}) {
        EXPECT_TRUE(About() == first && IsWindowVisible(first)) << key;
        PressKey(key);
        EXPECT_FALSE(IsWindowVisible(first)) << key;
        EXPECT_EQ(GetFocus(), Control(AboutButton)) << "returns with the window";
    }
    // Closed through its frame it is gone, the program not; the next need makes
    // one, even the main window's own focus, which hides it if no control can.
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(first) || FindAbout() || !endedWith_.empty());
    for (const HWND control : ControlsOf(window_->Handle(), forms::kMainWindow))
        EnableWindow(control, FALSE);
    SetFocus(window_->Handle());
    Pump();
    const HWND second = FindAbout();
    ASSERT_NE(second, nullptr);
    ShowWindow(second, SW_SHOW);
    SetFocus(window_->Handle());
    Pump();
    EXPECT_FALSE(IsWindowVisible(second));
}

} // namespace
} // namespace zorvane::win32
