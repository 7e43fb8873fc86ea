// SPDX-License-Identifier: MIT
// The two windows as data: titles, sizes, every control's place, colours, font,
// text, focus order and what a screen reader hears. Both front ends read these
// tables, so each fact lives here once. No toolkit and no windows.h.
#pragma once

#include "generate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zorvane::forms {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A rectangle in twips (1/1440 inch), from the client area's top-left corner.
struct Twips {
    int left = 0, top = 0, width = 0, height = 0;
};

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96; // 15 twips per pixel

// Twips as device pixels at `dpi`, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi = kDefaultDpi)
{
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

struct Font {
    std::string_view family;
    int centipoints = 0; // 975 is 9.75 pt: 13 pixels at 96 dpi
    bool bold = false;
    std::uint8_t charset = 0; // a Windows LOGFONT character set
};

// Pixel height of `font` at `dpi`, rounded to the nearest pixel.
constexpr int FontPixels(const Font &font, int dpi = kDefaultDpi)
{
    return (font.centipoints * dpi + 3600) / 7200;
}

inline constexpr Font kSansSerif{"MS Sans Serif", 975, false, 178};
inline constexpr Font kTahomaBold{"Tahoma", 975, true, 178};

enum class Kind {
    Label,       // static text in `colour`
    Marker,      // a small square filled with `colour`
    TextField,   // one editable line
    OutputField, // several read-only lines that wrap and scroll; selectable
    Button,      // a push button whose face is `colour`
    Picture,     // one of the compiled-in pictures, at its natural size
};

enum class Picture { None, Banner, Portrait };

inline constexpr int kNoTab = -1;

struct Control {
    std::string_view name; // the control's name, also its object name
    Kind kind = Kind::Label;
    Twips rect;
    std::string_view text; // caption or initial content
    std::optional<Rgb> colour;
    const Font *font = nullptr; // nullptr: the window's font
    int tab = kNoTab;           // focus order among the controls that take focus
    // What a screen reader calls the control when that is not its visible text
    // (a field's purpose, a picture's content); empty: the visible text.
    std::string_view accessibleName;
    // The label, by name, whose text tells what this control is or counts.
    std::string_view labelledBy;
    Picture picture = Picture::None;

    [[nodiscard]] constexpr bool TakesFocus() const
    {
        return kind == Kind::TextField || kind == Kind::OutputField || kind == Kind::Button;
    }
};

struct Window {
    std::string_view name;
    std::string_view title;
    int width = 0, height = 0; // client area, twips
    Rgb background;
    const Font *font = nullptr; // the window's default font
    std::span<const Control> controls;
};

inline constexpr std::string_view kApplicationTitle = "Zorvane";
inline constexpr std::string_view kQuitQuestion = "Are you sure you want to quit?";
inline constexpr std::string_view kSourceFailedText =
    "No password: the system's random source failed.";

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreenFace{0, 192, 0};

// The main window, in stacking order: later controls are drawn above earlier
// ones of the same layer; fields and buttons are drawn above labels and markers.
inline constexpr std::array kForm1Controls{
    Control{.name = "Label1",
            .kind = Kind::Label,
            .rect = {240, 240, 2415, 480},
            .text = "Number of Characters in the password",
            .colour = kBlue,
            .font = &kSansSerif,
            .tab = 3},
    Control{.name = "Shape1", .kind = Kind::Marker, .rect = {0, 360, 135, 135}, .colour = kRed},
    Control{.name = "Text1",
            .kind = Kind::TextField,
            .rect = {2400, 240, 495, 375},
            .tab = 0,
            .labelledBy = "Label1"},
    Control{.name = "Command3",
            .kind = Kind::Button,
            .rect = {3120, 120, 615, 495},
            .text = "About",
            .colour = kGreenFace,
            .tab = 7},
    Control{.name = "Label2",
            .kind = Kind::Label,
            .rect = {240, 840, 2295, 240},
            .text = "Number of Combinations",
            .colour = kBlue,
            .font = &kSansSerif,
            .tab = 5},
    Control{.name = "Shape2", .kind = Kind::Marker, .rect = {0, 840, 135, 135}, .colour = kRed},
    Control{.name = "Label3",
            .kind = Kind::Label,
            .rect = {2520, 840, 1215, 360},
            .colour = kRed,
            .font = &kSansSerif,
            .tab = 6,
            .labelledBy = "Label2"},
    Control{.name = "Command1",
            .kind = Kind::Button,
            .rect = {120, 1320, 1695, 615},
            .text = kGenerateCaption,
            .colour = Rgb{255, 255, 0},
            .font = &kSansSerif,
            .tab = 1},
    // Spelt out for speech: read as written, the caption is four letters.
    Control{.name = "Command2",
            .kind = Kind::Button,
            .rect = {2280, 1320, 1455, 615},
            .text = "E x i t",
            .colour = Rgb{255, 128, 128},
            .font = &kSansSerif,
            .tab = 2,
            .accessibleName = "Exit"},
    Control{.name = "Text2",
            .kind = Kind::OutputField,
            .rect = {120, 2040, 3615, 1695},
            .tab = 4,
            .accessibleName = "Password"},
};

inline constexpr Window kForm1{.name = "Form1",
                               .title = kApplicationTitle,
                               .width = 3810,
                               .height = 3825,
                               .background = {128, 255, 128},
                               .font = &kSansSerif,
                               .controls = kForm1Controls};

inline constexpr std::array kForm2Controls{
    Control{.name = "Image1",
            .kind = Kind::Picture,
            .rect = {480, 240, 3390, 1500},
            .accessibleName = "Zorvane banner",
            .picture = Picture::Banner},
    Control{.name = "Label1",
            .kind = Kind::Label,
            .rect = {3960, 240, 2655, 2295},
            .text = "Hello, I am Tolmek. I write small, careful tools for everyday jobs. "
                    "Zorvane makes a fresh random password whenever you need one: type "
                    "a length and press Generate. Thank you for using it!",
            .colour = kBlue,
            .font = &kSansSerif,
            .tab = 0},
    Control{.name = "Image2",
            .kind = Kind::Picture,
            .rect = {6960, 240, 2250, 3000},
            .accessibleName = "Portrait of Tolmek",
            .picture = Picture::Portrait},
    Control{.name = "Command1",
            .kind = Kind::Button,
            .rect = {360, 1920, 1575, 1215},
            .text = "Back",
            .colour = kGreenFace,
            .tab = 1},
    Control{.name = "Label2",
            .kind = Kind::Label,
            .rect = {2400, 2280, 1335, 375},
            .text = "My Website",
            .colour = Rgb{255, 0, 255},
            .font = &kTahomaBold,
            .tab = 2},
    // Plain text on purpose: the address is shown, never opened.
    Control{.name = "Label3",
            .kind = Kind::Label,
            .rect = {3000, 2640, 2775, 495},
            .text = "www.tolmek.example",
            .colour = kBlue,
            .font = &kTahomaBold,
            .tab = 3,
            .labelledBy = "Label2"},
};

inline constexpr Window kForm2{.name = "Form2",
                               .title = "About Tolmek",
                               .width = 9330,
                               .height = 3450,
                               .background = {192, 192, 192},
                               .font = &kSansSerif,
                               .controls = kForm2Controls};

// The control of `window` called `name`, or nullptr.
constexpr const Control *FindControl(const Window &window, std::string_view name)
{
    for (const Control &control : window.controls)
        if (control.name == name)
            return &control;
    return nullptr;
}

// The font `control` of `window` is drawn in.
constexpr const Font &ControlFont(const Window &window, const Control &control)
{
    return control.font ? *control.font : *window.font;
}

namespace detail {

// Every relation names a label of the same window, and no two controls share
// a focus position. Works on indexes: the sanitizers' builds cannot compare
// the tables' addresses in a constant expression.
constexpr bool WellFormed(const Window &window)
{
    const std::span<const Control> controls = window.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        bool labelled = controls[i].labelledBy.empty();
        for (std::size_t j = 0; j < controls.size(); ++j) {
            if (controls[j].name == controls[i].labelledBy && controls[j].kind == Kind::Label)
                labelled = true;
            if (j != i && controls[j].tab != kNoTab && controls[j].tab == controls[i].tab)
                return false;
        }
        if (!labelled)
            return false;
    }
    return true;
}

static_assert(WellFormed(kForm1) && WellFormed(kForm2));

} // namespace detail

} // namespace zorvane::forms
