// SPDX-License-Identifier: MIT
#include "scripted_source.h"
#include "support.h"

#include <algorithm>

namespace zorvane::win32::testing {

using enum forms::MainControl;
using enum forms::AboutControl;

// Above 96 dpi (the references'): client areas, then boxes from the top of the order down (the
// length field over its label), then the squares' area. The tests' screen is 1280 pixels wide.
TEST_F(WindowTest, BothWindowsTakeTheirSizeAndPlacesFromTheDpi)
{
    for (const auto &[dpi, expected] :
         {std::pair{120, "| 0 0 318 319 200 20 241 51 10 110 151 161 190 110 311 161 10 170 311 "
                         "311 260 10 311 51 20 20 221 60 20 70 211 90 210 70 311 100"
                         "| 0 0 778 288 30 160 161 261 40 20 323 145 330 20 551 211 580 20 768 270 "
                         "200 190 311 221 250 220 481 261| 242"},
          std::pair{144, "| 0 0 381 383 240 24 290 62 12 132 182 194 228 132 374 194 12 204 374 "
                         "374 312 12 374 62 24 24 266 72 24 84 254 108 252 84 374 120"
                         "| 0 0 933 345 36 192 194 314 48 24 387 174 396 24 662 254 696 24 921 324 "
                         "240 228 374 266 300 264 578 314| 392"},
          std::pair{192, "| 0 0 508 510 320 32 386 82 16 176 242 258 304 176 498 258 16 272 498 "
                         "498 416 16 498 82 32 32 354 96 32 112 338 144 336 112 498 160"
                         "| 0 0 1244 460 48 256 258 418 64 32 516 232 528 32 882 338 928 32 1228 "
                         "432 320 304 498 354 400 352 770 418| 648"},
          std::pair{288, "| 0 0 762 765 480 48 579 123 24 264 363 387 456 264 747 387 24 408 747 "
                         "747 624 24 747 123 48 48 531 144 48 168 507 216 504 168 747 240"
                         "| 0 0 1286 690 72 384 387 627 96 48 774 348 792 48 1323 507 1392 48 1842 "
                         "648 480 456 747 531 600 528 1155 627| 1458"}}) {
        Open(dpi);
        std::string found;
        for (const HWND window : {Main(), About()}) {
            found += '|';
            for (LONG edge : Frame(window, true))
                found += ' ' + std::to_string(edge);
            for (HWND child = GetWindow(window, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                for (LONG edge : Edges(PlaceOf(child)))
                    found += ' ' + std::to_string(edge);
        }
        found += "| " + std::to_string(Snapshot(Main()).Count({0, 0, 999, 999}, kRed));
        EXPECT_EQ(found, expected) << dpi;
    }
}

// A caption, window menu and minimize box, no other frame.
TEST_F(WindowTest, TheMainWindowHasAFixedFrame)
{
    EXPECT_EQ(GetWindowLongPtrW(Main(), GWL_STYLE), 0x16CA0000);
    EXPECT_EQ(GetWindowLongPtrW(Main(), GWL_EXSTYLE), WS_EX_WINDOWEDGE);
}

// Pixel for pixel as their reference pictures (tests/win32/reference), drawn under Wine.
TEST_F(WindowTest, BothWindowsLookExactlyAsTheirReferencePictures)
{
    window_->SetRandomSource(std::make_unique<zorvane::testing::ScriptedSource>(
        std::vector<std::uint8_t>{40, 0, 63, 70, 244}));
    Generate(L"5");
    SetFocus(Control(GenerateButton));
    ExpectLooksLike(Snapshot(Main()), L"main-window");
    ExpectLooksLike(Snapshot(About()), L"about-window");
}

// Wine neither keeps nor reports high contrast: the windows are told through their display.
TEST_F(WindowTest, HighContrastDrawsInTheSystemsColoursUntilItEnds)
{
    // All unlike each other and the windows' own.
    constexpr int kElements[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                 COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT};
    constexpr COLORREF kTheme[] = {RGB(0, 0, 0),       RGB(255, 255, 0), RGB(0, 0, 96),
                                   RGB(255, 255, 255), RGB(0, 255, 255), RGB(0, 0, 1)};
    COLORREF saved[6];
    std::transform(kElements, kElements + 6, saved, GetSysColor);
    Generate(L"9");
    highContrast = true;
    SendMessageW(Main(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    // Windows changes the colours next, and tells every top-level window.
    SetSysColors(6, kElements, kTheme);
    SendMessageW(Main(), WM_SYSCOLORCHANGE, 0, 0);
    const Snapshot shot(Main());
    ExpectPixels(shot, {{"background", 2, 2, RGB(0, 0, 0)},
                        {"label background", 100, 46, RGB(0, 0, 0)},
                        {"button outline", 8, 88, RGB(255, 255, 255)},
                        {"button face", 13, 93, RGB(0, 0, 96)}});
    EXPECT_EQ(shot.Count({0, 24, 9, 33}, RGB(255, 255, 0)), 81) << "square";
    EXPECT_GT(shot.Count({8, 88, 121, 129}, RGB(255, 255, 255)), 400) << "caption and outline";
    EXPECT_GT(shot.Count({169, 56, 249, 80}, RGB(255, 255, 0)), 20) << "figure";

    SetFocus(Control(GenerateButton));
    Key(Control(GenerateButton), VK_SPACE, true);
    const Snapshot pressed(Main());
    EXPECT_EQ(pressed.At(16, 96), RGB(0, 255, 255)) << "pressed face";
    EXPECT_GT(pressed.Count({8, 88, 121, 129}, RGB(0, 0, 1)), 40) << "pressed caption";
    Key(Control(GenerateButton), VK_SPACE, false);
    window_->SetRandomSource(std::make_unique<FailingSource>());
    Generate(L"9");
    const RECT field = PlaceOf(Control(PasswordField)),
               words{field.left + 4, field.top + 4, field.left + 120, field.top + 20};
    EXPECT_EQ(Snapshot(Main()).Count(words, RGB(255, 255, 255)), 0) << "the failure's words";

    SetSysColors(6, kElements, saved);
    highContrast = false;
    SendMessageW(Main(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    ExpectPixels(Snapshot(Main()), {{"background", 2, 2, kMainBackground},
                                    {"square", 4, 28, kRed},
                                    {"button outline", 8, 88, kYellowFace}});
}

TEST_F(WindowTest, GenerateShowsAPasswordAndItsFigureOrSaysWhyThereIsNone)
{
    EXPECT_EQ(Text(GenerateButton), "Generate Password");
    // Text that does not read as a number asks for none, and clears the password before it.
    Generate(L"\u0661\u0662 \U0001F600 \xD800");
    EXPECT_EQ(Text(Figure), "0");
    EXPECT_EQ(Text(PasswordField), "");
    // Where the explanation of a failure shows in grey, inside the field's frame: only then.
    const RECT place = PlaceOf(Control(PasswordField)),
               start{place.left + 4, place.top + 4, place.left + 120, place.top + 20};
    EXPECT_EQ(Snapshot(Main()).Count(start, GetSysColor(COLOR_GRAYTEXT)), 0);
    // By a double-click, which an owner-drawn button would take as no press at all.
    SetWindowTextW(Control(LengthField), L"32767");
    SendMessageW(Control(GenerateButton), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    SendMessageW(Control(GenerateButton), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(GetWindowTextLengthW(Control(PasswordField)), 32767);

    window_->SetRandomSource(std::make_unique<FailingSource>());
    Generate(L"6");
    EXPECT_EQ(Text(PasswordField), "");
    EXPECT_EQ(Text(Figure), "25200");
    EXPECT_GT(Snapshot(Main()).Count(start, GetSysColor(COLOR_GRAYTEXT)), 10);
}

TEST_F(WindowTest, KeyboardFollowsTheTabOrderAndOnlyTheFocusedButtonReacts)
{
    std::vector<HWND> visited;
    for (int press = 0; press < 5; ++press)
        PressKey(VK_TAB), visited.push_back(GetFocus());
    EXPECT_EQ(visited,
              (std::vector{Control(GenerateButton), Control(ExitButton), Control(PasswordField),
                           Control(AboutButton), Control(LengthField)}));
    // Enter in either field and Esc anywhere start nothing.
    SetWindowTextW(Control(LengthField), L"4");
    for (const auto &[id, enter] :
         {std::pair{LengthField, true}, {PasswordField, true}, {GenerateButton, false}}) {
        SetFocus(Control(id));
        PressKey(enter ? VK_RETURN : VK_ESCAPE);
        PressKey(VK_ESCAPE);
    }
    EXPECT_EQ(Text(Figure), "");
    ASSERT_TRUE(endedWith_.empty() && window_->Exists());
    // Space presses the focused button: held, darker face and 2-pixel edge; once up, a focus ring.
    Key(Control(GenerateButton), VK_SPACE, true);
    ExpectPixels(Snapshot(Main()), {{"pressed face", 16, 96, RGB(221, 221, 0)},
                                    {"pressed edge", 8, 88, RGB(159, 159, 0)},
                                    {"edge's inner side", 9, 109, RGB(159, 159, 0)},
                                    {"face's outer side", 10, 110, RGB(221, 221, 0)}});
    Key(Control(GenerateButton), VK_SPACE, false);
    EXPECT_EQ(Text(Figure), "840");
    EXPECT_LT(Snapshot(Main()).Count({12, 91, 117, 92}, kYellowFace), 95) << "focus ring";
}

bool boxSeen = false;
void CALLBACK CheckTheBoxAndAnswerYes(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const HWND box = GetActiveWindow();
    boxSeen = true;
    EXPECT_EQ(GetWindow(box, GW_OWNER), FindWindowW(L"ZorvaneMainWindow", nullptr));
    EXPECT_EQ(WindowTest::Text(box), "Zorvane");
    EXPECT_EQ(WindowTest::Text(GetDlgItem(box, 0xFFFF)), "Are you sure you want to quit?");
    EXPECT_TRUE(GetDlgItem(box, IDNO) && !GetDlgItem(box, IDCANCEL));
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(box, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON);
    PostMessageW(box, WM_COMMAND, IDYES, 0);
}

TEST_F(WindowTest, ClosingTheMainWindowOrExitAnsweredYesEndsTheProgramWithAbout)
{
    enum AboutIs { Never, Shown, Hidden };
    for (const auto &[name, aboutIs, byExit] :
         {std::tuple{"closed through its frame", Never, false},
          {"closed with About shown", Shown, false},
          {"closed with About hidden", Hidden, false},
          {"Exit answered Yes", Shown, true}}) {
        Open(96);
        endedWith_.clear();
        const HWND main = Main(), about = aboutIs == Never ? nullptr : About();
        if (aboutIs == Hidden)
            Click(ControlOf(about, BackButton));
        boxSeen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CheckTheBoxAndAnswerYes);
        byExit ? Click(Control(ExitButton)) : void(SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0));
        KillTimer(nullptr, timer);
        EXPECT_EQ(boxSeen, byExit) << name;
        EXPECT_EQ(endedWith_, std::vector<int>{0}) << name;
        EXPECT_FALSE(window_->Exists() || IsWindow(main) || (about && IsWindow(about))) << name;
    }
}

TEST_F(WindowTest, AboutIsOneOwnedWindowThatOnlyBackOrTheMainWindowsOwnFocusHides)
{
    // The main window passes its own focus on to a control that can take it.
    SetFocus(Main());
    Pump();
    EXPECT_TRUE(IsChild(Main(), GetFocus()));
    EXPECT_EQ(FindAbout(), nullptr) << "made on first need";
    SetFocus(Control(AboutButton));
    PressKey(VK_RETURN);
    const HWND first = FindAbout();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Text(first), "About Tolmek");
    EXPECT_EQ(GetWindow(first, GW_OWNER), Main()) << "stays in front";
    EXPECT_TRUE(IsWindowEnabled(Main())) << "not modal";
    EXPECT_EQ(GetFocus(), ControlOf(first, BackButton));
    PressKey(VK_ESCAPE); // is no Back
    EXPECT_TRUE(IsWindowVisible(first));
    // About, pressed again or not, shows the same window; Back hides it.
    for (const auto &[name, key] : {std::pair{"Enter", VK_RETURN}, {"Space", VK_SPACE}}) {
        EXPECT_TRUE(About() == first && IsWindowVisible(first)) << name;
        PressKey(key);
        EXPECT_FALSE(IsWindowVisible(first)) << name;
        EXPECT_EQ(GetFocus(), Control(AboutButton)) << "returns with the window";
    }
    // Closed, it is gone, the program not; the next need, even the main window's focus, makes one.
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(first) || FindAbout() || !endedWith_.empty());
    for (std::size_t i = 0; i < forms::kMainWindow.controls.size(); ++i)
        EnableWindow(ControlOf(Main(), i), FALSE);
    for (const bool shown : {false, true}) {
        ShowWindow(FindAbout(), shown ? SW_SHOW : SW_HIDE);
        SetFocus(Main());
        Pump();
    }
    EXPECT_TRUE(FindAbout() && !IsWindowVisible(FindAbout()));
}

} // namespace zorvane::win32::testing
