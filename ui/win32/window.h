// SPDX-License-Identifier: MIT
// The base of both windows. It makes a window and its controls from a table
// in ui/forms, paints what the table says they look like where the system
// does not, fits the buttons' captions, keeps the keyboard focus across
// deactivation, and lays everything out again when the window's DPI changes.
// A window built on it only says what its buttons and its own focus do.
#pragma once

#include "fonts.h"
#include "forms/model.h"
#include "handles.h"
#include "pictures.h"

#include <string>
#include <string_view>
#include <vector>

namespace zorvane::win32 {

// A control's identifier is this plus its index in its window's table. They
// start clear of IDOK and IDCANCEL: the dialog manager sends those for Enter
// and Esc, and they must never look like a click.
inline constexpr int kFirstControlId = 100;

// Sent when a window moves to a monitor of another DPI, or the user changes
// the scale; the headers for Windows 7 do not name it.
inline constexpr UINT kDpiChanged = 0x02E0; // WM_DPICHANGED

// What a table does not say about a window: its class name, frame and icon.
struct WindowClass {
    const wchar_t *name;
    DWORD style;
    int icon; // resource identifier
};

COLORREF ColourRef(forms::Rgb colour);

// What the system says about where windows are shown. Tests put their own in
// place of the system's.
struct Display {
    // The DPI `window` is drawn at, from Windows 10's Anniversary Update on;
    // null before it. Only a process that has it is aware of each monitor's
    // DPI (Windows 8.1 and early Windows 10 read the manifest's dpiAware
    // alone), so only there is WM_DPICHANGED acted on.
    UINT(WINAPI *dpiOf)(HWND window);
    // The work area of the monitor that holds most of `window`, or of the
    // nearest one.
    RECT (*workArea)(HWND window);
    // Whether the user asked for high contrast (SPI_GETHIGHCONTRAST): then
    // every control is drawn in the system's colours, not the table's.
    bool (*highContrast)();
};
Display &CurrentDisplay();

// The DPI `window` is drawn at where the system says, else `fallback`.
int WindowDpi(HWND window, int fallback);

class Window {
public:
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;
    virtual ~Window();

    // Registers the class every window of `kind` is made of.
    static void Register(HINSTANCE module, const WindowClass &kind);

    // The handle is null once the window is gone: closed through its frame,
    // the window itself may go before its object.
    [[nodiscard]] HWND Handle() const { return hwnd_; }
    [[nodiscard]] bool Exists() const { return hwnd_ != nullptr; }

    // Shows the window in front. The first time, it is centred on the work
    // area of its owner's monitor (its own, if it has no owner), and laid
    // out for the DPI of the monitor it lands on.
    void Show();
    // Lays the window out for `dpi`, where it is not already.
    void UseDpi(int dpi);

protected:
    // Creates the window `table` describes, hidden, with its controls sized
    // for `dpi`, owned by `owner` if given; Exists() tells whether it could.
    // `table` outlives the window.
    Window(HINSTANCE module, const forms::Window &table, const WindowClass &kind, HWND owner,
           int dpi);

    template <typename Id> [[nodiscard]] HWND Control(Id id) const
    {
        return controls_.at(static_cast<std::size_t>(forms::Index(id)));
    }
    [[nodiscard]] HINSTANCE Module() const { return module_; }
    [[nodiscard]] int Dpi() const { return dpi_; }

    // Has the button at `index` show `caption`, at the largest size that
    // shows it whole. Its window text stays the accessible name where the
    // table fixes one, and follows the caption otherwise.
    void SetCaption(int index, std::wstring_view caption);
    void Destroy();

    // The control at `index` was pressed: clicked, or focused when Enter was.
    virtual void OnCommand(int index);
    // The window itself took the keyboard focus, which happens only when
    // none of its controls can take it.
    virtual void OnWindowFocused();
    // Closed through its frame; by default the window is destroyed.
    virtual void OnClose();

private:
    // How each control is drawn where the system does not draw it.
    struct Look {
        Brush face;        // a square's fill or a button's face at rest
        Brush pressedFace; // a button's face while pressed
        Brush pressedEdge; // also a button's outline at rest in high contrast
        COLORREF faceColour = 0;
        COLORREF text = 0; // a label's or a button's caption's
        COLORREF pressedText = 0;
        std::wstring caption;        // a button's
        HFONT captionFont = nullptr; // owned by the font cache
        DecodedPicture picture;
    };

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void BuildControls();
    // Takes the colours from the table, or from the system in high contrast.
    void ChooseColours();
    // Gives the captions, pictures and icons their sizes at dpi_.
    void ScaleLooks();
    // Lays the controls out again for `dpi`, in the frame they had.
    void Relayout(int dpi);
    // The index of the control a WM_COMMAND presses, or forms::kNone.
    [[nodiscard]] int PressedIndex(int id, HWND control, UINT code) const;
    // The index of the control with identifier `id`, or forms::kNone.
    [[nodiscard]] int IndexOf(int id) const;
    [[nodiscard]] const forms::Control &Row(int index) const;
    [[nodiscard]] HFONT FitCaption(int index, std::wstring_view caption);

    // WM_ACTIVATE: on leaving, remembers the control that had the focus; on
    // coming back, gives the focus back to it, or to the first control that
    // can take it, or else to the window itself.
    void OnActivate(bool active);
    // The control that should hold the focus now, or nullptr when none can.
    [[nodiscard]] HWND FocusTarget() const;

    void EraseBackground(HDC dc) const;
    // WM_CTLCOLORSTATIC: a label shows the window's background in its own
    // text colour.
    [[nodiscard]] HBRUSH ColourStatic(HDC dc, HWND control) const;
    // WM_DRAWITEM: a button's face, a square or a picture.
    void DrawItem(const DRAWITEMSTRUCT &draw) const;
    void DrawButton(int index, const DRAWITEMSTRUCT &draw) const;
    void DrawPicture(const DecodedPicture &picture, const DRAWITEMSTRUCT &draw) const;

    HINSTANCE module_;
    const forms::Window &table_;
    int icon_;
    int dpi_;
    HWND hwnd_ = nullptr;
    bool placed_ = false;
    FontCache fonts_;
    std::vector<HWND> controls_; // indexed as the table
    std::vector<Look> looks_;    // indexed as the table
    std::vector<HWND> tabOrder_; // the controls that take the focus
    HWND lastFocus_ = nullptr;
    bool highContrast_ = false;
    COLORREF backgroundColour_ = 0;
    Brush background_;
    Icon bigIcon_, smallIcon_;
};

} // namespace zorvane::win32
