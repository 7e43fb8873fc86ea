// SPDX-License-Identifier: MIT
// What a window is made of, as plain data, and every rule both front ends
// apply to it: where a control sits at a given DPI, which font it is drawn in,
// how a caption is fitted to its button, how a pressed button is coloured and
// what a screen reader hears. No toolkit and no windows.h.
#pragma once

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

// The same rectangle in device pixels.
struct Pixels {
    int left = 0, top = 0, width = 0, height = 0;
    friend constexpr bool operator==(Pixels, Pixels) = default;
};

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96; // 15 twips per pixel

// `pixels` at 96 dpi, scaled to `dpi` and rounded to the nearest pixel.
constexpr int Scale(int pixels, int dpi)
{
    return (pixels * dpi + kDefaultDpi / 2) / kDefaultDpi;
}

// Twips as device pixels at `dpi`, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi = kDefaultDpi)
{
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

// Each edge rounds on its own, so neighbours that touch in twips touch in pixels.
constexpr Pixels PixelRect(const Twips &twips, int dpi = kDefaultDpi)
{
    return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
            TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

struct Font {
    std::string_view family;
    int centipoints = 0; // 975 is 9.75 pt: 13 pixels at 96 dpi
    bool bold = false;
    // A face drawn from outlines with the same metrics, for sizes the family
    // has no bitmap of; empty where the family itself is drawn from outlines.
    std::string_view outline;
};

// Pixel height of `font` at `dpi`, rounded to the nearest pixel.
constexpr int FontPixels(const Font &font, int dpi = kDefaultDpi)
{
    return (font.centipoints * dpi + 3600) / 7200;
}

// Every Windows since 2000 has "Microsoft Sans Serif", the outline companion
// of the bitmap-only "MS Sans Serif"; where a system lacks it, its front end
// maps it to a face with the same metrics.
inline constexpr Font kSansSerif{"MS Sans Serif", 975, false, "Microsoft Sans Serif"};
inline constexpr Font kTahomaBold{"Tahoma", 975, true};

// A bitmap strike within a tenth of the size wanted draws text at its size;
// any further off and its glyphs would be drawn too small or too large.
constexpr bool StrikeFits(int wantedPixels, int strikePixels)
{
    const int off =
        strikePixels > wantedPixels ? strikePixels - wantedPixels : wantedPixels - strikePixels;
    return off * 10 <= wantedPixels;
}

struct Face {
    std::string_view family;
    int pixels = 0;
    friend constexpr bool operator==(const Face &, const Face &) = default;
};

// The face and pixel size `font` is drawn in at `dpi`. `strikes` are the sizes
// the system holds `font`'s family in, as bitmaps; none when it scales. A
// bitmap family keeps its own face wherever one of its strikes fits the size
// wanted, pixel-exact at 96 dpi, and gives way to its outline companion
// elsewhere, so that text grows with the screen.
constexpr Face FaceFor(const Font &font, int dpi, std::span<const int> strikes)
{
    const int wanted = FontPixels(font, dpi);
    if (strikes.empty() || font.outline.empty())
        return {font.family, wanted};
    for (const int strike : strikes)
        if (StrikeFits(wanted, strike))
            return {font.family, strike};
    return {font.outline, wanted};
}

enum class Kind {
    Label,       // static text in `colour`, on the window's background
    Square,      // a small square filled with `colour`, beside a label
    TextField,   // one editable line
    OutputField, // several read-only lines that wrap and scroll; selectable
    Button,      // a push button whose face is `colour`
    Picture,     // one of the compiled-in pictures, at its natural size
};

enum class Picture { None, Banner, Portrait };

// Drawn, yet nothing a user reads or works: no object of its own for a
// screen reader to stop on. Each front end paints it on the window itself.
constexpr bool IsDecoration(Kind kind)
{
    return kind == Kind::Square;
}

// Every picture is drawn at 1x, 2x and 3x. A window at `dpi` shows the
// rendition drawn for the nearest scale at or above its own, scaled down to
// the exact size: a picture is never scaled up where a sharper one exists.
inline constexpr int kLargestRendition = 3;

constexpr int RenditionFor(int dpi)
{
    const int scale = (dpi + kDefaultDpi - 1) / kDefaultDpi;
    return scale < 1 ? 1 : scale > kLargestRendition ? kLargestRendition : scale;
}

// The DPI a toolkit that scales by a device pixel ratio draws at.
constexpr int DpiOfRatio(double ratio)
{
    return static_cast<int>(ratio * kDefaultDpi + 0.5);
}

inline constexpr int kNone = -1;

struct Control {
    std::string_view objectName; // what automation and the accessibility tree see
    Kind kind = Kind::Label;
    Twips rect;
    std::string_view text; // caption or initial content
    std::optional<Rgb> colour;
    const Font *font = nullptr; // nullptr: the window's font
    int tab = kNone;            // focus order; only fields and buttons take the focus
    // What a screen reader calls the control when that is not its visible text
    // (a field's purpose, a picture's content); empty: the visible text.
    std::string_view accessibleName;
    // The label, by index, whose text tells what this control is or counts.
    int labelledBy = kNone;
    Picture picture = Picture::None;

    [[nodiscard]] constexpr bool TakesFocus() const
    {
        return kind == Kind::TextField || kind == Kind::OutputField || kind == Kind::Button;
    }
};

struct Window {
    std::string_view objectName;
    std::string_view title;
    int width = 0, height = 0; // client area, twips
    Rgb background;
    Font font; // the window's default font
    // In stacking order: later controls are drawn above earlier ones of the
    // same layer; fields and buttons are drawn above labels and squares.
    std::span<const Control> controls;
};

// A window's controls, indexed by its own enum of controls, whose enumerators
// run from 0 in stacking order up to `last`.
template <auto last> struct ControlTable {
    using Id = decltype(last);
    std::array<Control, static_cast<std::size_t>(last) + 1> rows{};

    constexpr Control &operator[](Id id) { return rows[static_cast<std::size_t>(id)]; }
    constexpr const Control &operator[](Id id) const { return rows[static_cast<std::size_t>(id)]; }
};

template <typename Id> constexpr int Index(Id id)
{
    return static_cast<int>(id);
}

// The font `control` of `window` is drawn in.
constexpr const Font &ControlFont(const Window &window, const Control &control)
{
    return control.font ? *control.font : window.font;
}

// A button's faces: `face` at rest; while pressed, a darker face inside a
// darker edge. Each channel divides by the factor, so grey stays grey.
struct ButtonColours {
    Rgb face, pressedFace, pressedEdge;
};

constexpr Rgb Darker(Rgb colour, int percent)
{
    const auto channel = [percent](std::uint8_t value) {
        return static_cast<std::uint8_t>(value * 100 / percent);
    };
    return {channel(colour.red), channel(colour.green), channel(colour.blue)};
}

constexpr ButtonColours ButtonColoursOf(Rgb face)
{
    return {face, Darker(face, 115), Darker(face, 160)};
}

// Room a caption leaves for the border and focus ring, both sides together,
// and the smallest a fitted caption may get; both at 96 dpi.
inline constexpr int kCaptionMargin = 6;
inline constexpr int kSmallestCaption = 8;

// The pixel size a caption is drawn at on a button `buttonWidth` pixels wide:
// the font's own size, shrunk a pixel at a time only while the caption, as
// `widthAt(pixels)` measures it, would not show whole. The windows' own faces
// always fit; this guards the faces that stand in for them.
template <typename Measure>
constexpr int CaptionPixels(int intended, int buttonWidth, int dpi, Measure widthAt)
{
    const int room = buttonWidth - Scale(kCaptionMargin, dpi);
    const int smallest = Scale(kSmallestCaption, dpi);
    int pixels = intended;
    while (pixels > smallest && widthAt(pixels) > room)
        --pixels;
    return pixels;
}

// The name a screen reader hears for `control` where that is not what it
// shows: its own name from the table, else a field's label. Empty: it is
// heard by what it shows, a button by its current caption, a label by its
// text (the figure included: its label only gives it context).
constexpr std::string_view FixedAccessibleName(const Window &window, const Control &control)
{
    if (!control.accessibleName.empty())
        return control.accessibleName;
    if (control.labelledBy != kNone && control.kind != Kind::Label)
        return window.controls[static_cast<std::size_t>(control.labelledBy)].text;
    return {};
}

namespace detail {

constexpr bool Coloured(Kind kind)
{
    return kind == Kind::Label || kind == Kind::Square || kind == Kind::Button;
}

// Checked at compile time for every window:
// - every control is described (no row left empty);
// - the kinds drawn in a colour have one;
// - exactly the controls that take the focus have a focus position, and no
//   two share one;
// - a relation names a label of the same window;
// - a picture control shows a picture, and only a picture control does.
// Works on indexes: the sanitizers' builds cannot compare the tables'
// addresses in a constant expression.
constexpr bool WellFormed(const Window &window)
{
    const std::span<const Control> controls = window.controls;
    if (window.font.family.empty() || window.title.empty() || window.objectName.empty())
        return false;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control &control = controls[i];
        if (control.objectName.empty() || control.rect.width <= 0 || control.rect.height <= 0)
            return false;
        if (Coloured(control.kind) && !control.colour)
            return false;
        if (control.TakesFocus() != (control.tab != kNone))
            return false;
        if ((control.kind == Kind::Picture) != (control.picture != Picture::None))
            return false;
        if (control.labelledBy != kNone) {
            const auto label = static_cast<std::size_t>(control.labelledBy);
            if (label >= controls.size() || controls[label].kind != Kind::Label)
                return false;
        }
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            if (control.tab != kNone && controls[j].tab == control.tab)
                return false;
    }
    return true;
}

} // namespace detail

} // namespace zorvane::forms
