// SPDX-License-Identifier: MIT
// A window's controls, built from its table in ui/forms, and everything they
// need to look as the table says: fonts, colours, painted buttons, markers and
// pictures. Both windows use it; neither places a control by hand.
#pragma once

#include "forms.h"
#include "handles.h"
#include "pictures.h"

#include <string>
#include <string_view>
#include <vector>

namespace zorvane::win32 {

// Control identifiers start clear of IDOK and IDCANCEL: the dialog manager
// sends those for Enter and Esc, and they must never look like a click.
inline constexpr int kFirstControlId = 100;

COLORREF ColourRef(forms::Rgb colour);

class Contents {
public:
    // Creates every control of `table` inside `window`, sized for `dpi`.
    // Focusable controls come first, in tab order: that is the order the
    // dialog manager's Tab follows, and it puts fields and buttons above the
    // labels and markers they overlap.
    Contents(HWND window, HINSTANCE module, const forms::Window &table, int dpi);
    Contents(const Contents &) = delete;
    Contents &operator=(const Contents &) = delete;
    ~Contents();

    [[nodiscard]] HWND Find(std::string_view name) const;
    [[nodiscard]] int Dpi() const { return dpi_; }

    // What a button's face shows. The window text stays the accessible name
    // where the table gives one, and follows the caption otherwise. The font
    // shrinks only as far as the caption needs to show whole.
    void SetCaption(HWND button, std::wstring_view caption);
    [[nodiscard]] std::wstring Caption(HWND button) const;
    [[nodiscard]] HFONT FontOf(HWND control) const;
    [[nodiscard]] SIZE PictureSize(HWND picture) const;

    // What the window procedure does with a message its window does not
    // handle itself: the painting messages on behalf of the controls
    // (background, label colours, button faces), the system's default for
    // the rest.
    LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
    // The button a WM_COMMAND presses, or nullptr. No button is the default:
    // the dialog manager turns Enter into IDOK, which presses the focused
    // button and nothing else; Esc (IDCANCEL) presses nothing.
    [[nodiscard]] HWND PressedButton(int id, HWND control, UINT code) const;

    // Keeps the focus across deactivation as a dialog box does. Returns the
    // control that got the focus back, or nullptr when none can take it.
    HWND Activate(bool active);
    // The button that has the keyboard focus, or nullptr.
    [[nodiscard]] HWND FocusedButton() const;
    // The control that should hold the focus now, or nullptr when none can.
    [[nodiscard]] HWND FocusTarget() const;

private:
    struct Item;

    [[nodiscard]] const Item *ItemOf(HWND control) const;
    void EraseBackground(HWND window, HDC dc) const;
    [[nodiscard]] HBRUSH ColourStatic(HDC dc, HWND control) const;
    void DrawItem(const DRAWITEMSTRUCT &item) const;
    HFONT FontFor(const forms::Font &font, int pixels);
    void FitCaption(Item &item);
    void DrawButton(const Item &item, const DRAWITEMSTRUCT &draw) const;

    const forms::Window &table_;
    int dpi_;
    Brush background_;
    struct CachedFont;
    std::vector<CachedFont> fonts_;
    std::vector<Item> items_;
    HWND lastFocus_ = nullptr;
};

} // namespace zorvane::win32
