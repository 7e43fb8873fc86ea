// SPDX-License-Identifier: MIT
#include "window.h"

#include "accessibility.h"
#include "resource.h"
#include "system_library.h"
#include "text.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

namespace zorvane::win32 {
namespace {

using forms::Kind;

// A procedure of user32 newer than Windows 7, or null where it lacks it.
template <typename Procedure> Procedure User32(const char *name)
{
    return ProcedureAddress<Procedure>(GetModuleHandleW(L"user32.dll"), name);
}

int SystemMetric(int index, int dpi)
{
    // Windows 10 from its Anniversary Update on; earlier, the system's DPI.
    using ForDpi = int(WINAPI *)(int, UINT);
    static const auto forDpi = User32<ForDpi>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

Icon LoadSized(HINSTANCE module, int id, int dpi, int metricX, int metricY)
{
    return Icon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                              SystemMetric(metricX, dpi),
                                              SystemMetric(metricY, dpi), LR_DEFAULTCOLOR)));
}

// Sizes `window` so that its client area is `width` x `height`, around a
// frame as the system draws it: at the window's own DPI where frames follow
// the monitor, at the system's elsewhere.
void FitFrame(HWND window, int width, int height)
{
    // Both from Windows 10's Anniversary Update on.
    using DpiOf = UINT(WINAPI *)(HWND);
    using ForDpi = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);
    static const auto dpiOf = User32<DpiOf>("GetDpiForWindow");
    static const auto forDpi = User32<ForDpi>("AdjustWindowRectExForDpi");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT frame{0, 0, width, height};
    if (!dpiOf || !forDpi || !forDpi(&frame, style, FALSE, exStyle, dpiOf(window)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitFrame(HWND window, const forms::Window &table, int dpi)
{
    FitFrame(window, forms::TwipsToPixels(table.width, dpi),
             forms::TwipsToPixels(table.height, dpi));
}

// Has Windows 10 before its Creators Update scale the frame and title of
// `window` with its monitor's DPI, as later versions do by themselves.
void ScaleFrameWithDpi(HWND window)
{
    using Enable = BOOL(WINAPI *)(HWND);
    static const auto enable = User32<Enable>("EnableNonClientDpiScaling");
    if (enable)
        enable(window);
}

RECT MonitorWorkArea(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    return monitor.rcWork;
}

// Moves `window` so that its frame sits in the middle of `area`.
void CentreOn(HWND window, const RECT &area)
{
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SystemHighContrast()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

struct ClassAndStyle {
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle ClassFor(Kind kind)
{
    switch (kind) {
    case Kind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::Square:
    case Kind::Picture:
        return {L"STATIC", SS_OWNERDRAW, 0};
    case Kind::TextField:
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::OutputField:
        // Wraps within its width (no horizontal scrolling) and scrolls down.
        // A rich edit control: the plain one lays out a long unbroken line
        // in quadratic time, seconds for the longest password.
        // Its scroll bar always stands, so a long password is laid out once,
        // not again when the bar would appear.
        return {MSFTEDIT_CLASS,
                ES_LEFT | ES_MULTILINE | ES_READONLY | ES_DISABLENOSCROLL | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case Kind::Button:
        return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0};
    }
    return {L"STATIC", 0, 0};
}

// An owner-drawn button takes a quick second click as a double-click: it
// sends BN_DOUBLECLICKED instead of being pressed ("BN_DOUBLECLICKED
// notification code"). Every click is a press here, drawn sunk and done on
// release, so the second click goes in as a plain one.
LRESULT CALLBACK EveryClickPresses(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR)
{
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    else if (message == WM_NCDESTROY)
        RemoveWindowSubclass(button, &EveryClickPresses, 0);
    return DefSubclassProc(button, message, wParam, lParam);
}

// The table's indexes in the order the controls are created: those that take
// the focus first, in tab order, then the rest in the table's order. That is
// the order the dialog manager's Tab follows, and it puts fields and buttons
// above the labels and squares they overlap.
std::vector<int> CreationOrder(const forms::Window &table)
{
    std::vector<int> order(table.controls.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    const auto row = [&table](int index) -> const forms::Control & {
        return table.controls[static_cast<std::size_t>(index)];
    };
    const auto focusable = std::stable_partition(order.begin(), order.end(),
                                                 [&](int i) { return row(i).TakesFocus(); });
    std::stable_sort(order.begin(), focusable,
                     [&](int a, int b) { return row(a).tab < row(b).tab; });
    return order;
}

bool CanTakeFocus(HWND control)
{
    return control && IsWindowVisible(control) && IsWindowEnabled(control) &&
           (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP);
}

} // namespace

COLORREF ColourRef(forms::Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

Display &CurrentDisplay()
{
    static Display display{User32<UINT(WINAPI *)(HWND)>("GetDpiForWindow"), &MonitorWorkArea,
                           &SystemHighContrast};
    return display;
}

int WindowDpi(HWND window, int fallback)
{
    const auto dpiOf = CurrentDisplay().dpiOf;
    const int dpi = dpiOf ? static_cast<int>(dpiOf(window)) : 0;
    return dpi > 0 ? dpi : fallback;
}

void Window::Register(HINSTANCE module, const WindowClass &kind)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = kind.name;
    RegisterClassExW(&windowClass);
}

Window::Window(HINSTANCE module, const forms::Window &table, const WindowClass &kind, HWND owner,
               int dpi)
    : module_(module), table_(table), icon_(kind.icon), dpi_(dpi), looks_(table.controls.size())
{
    ChooseColours();
    CreateWindowExW(0, kind.name, Widen(table.title).c_str(), kind.style, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, module, this);
    if (!hwnd_)
        return;
    FitFrame(hwnd_, table, dpi);
    BuildControls();
    for (const int index : CreationOrder(table))
        if (Row(index).TakesFocus())
            tabOrder_.push_back(controls_[static_cast<std::size_t>(index)]);
    for (std::size_t i = 0; i < looks_.size(); ++i)
        if (table.controls[i].kind == Kind::Button)
            looks_[i].caption = Widen(table.controls[i].text);
    ScaleLooks();
}

Window::~Window()
{
    Destroy();
}

void Window::Destroy()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *self = nullptr;
    if (message == WM_NCCREATE) {
        self =
            static_cast<Window *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ScaleFrameWithDpi(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // From here on the object can tell that its window is gone.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (controls_.empty())
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND: {
        const int index =
            PressedIndex(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        if (index != forms::kNone)
            OnCommand(index);
        return 0;
    }
    case WM_ACTIVATE:
        if (!HIWORD(wParam)) // not while minimised
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        // The window itself keeps the focus only when none of its controls can.
        if (const HWND control = FocusTarget())
            SetFocus(control);
        else
            OnWindowFocused();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case kDpiChanged: {
        // Sent to a process that is not aware of each monitor's DPI, it
        // would lay the window out for a DPI Windows already scales it to.
        if (!CurrentDisplay().dpiOf)
            return DefWindowProcW(hwnd_, message, wParam, lParam);
        Relayout(LOWORD(wParam));
        const RECT &suggested = *reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SYSCOLORCHANGE:
        // Sent to top-level windows only; the common controls need it too
        // ("WM_SYSCOLORCHANGE message").
        for (const HWND control : controls_)
            SendMessageW(control, message, wParam, lParam);
        ChooseColours();
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case WM_SETTINGCHANGE:
        // High contrast turned on or off; its colours come with
        // WM_SYSCOLORCHANGE.
        if (CurrentDisplay().highContrast() != highContrast_) {
            ChooseColours();
            RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void Window::OnCommand(int)
{}

void Window::OnWindowFocused()
{}

void Window::OnClose()
{
    DestroyWindow(hwnd_);
}

void Window::Show()
{
    if (!placed_) {
        placed_ = true;
        // An owned window opens beside its owner, and is drawn at the DPI of
        // the monitor it lands on, which need not be its owner's.
        const HWND owner = GetWindow(hwnd_, GW_OWNER);
        const RECT area = CurrentDisplay().workArea(owner ? owner : hwnd_);
        CentreOn(hwnd_, area);
        const int dpi = WindowDpi(hwnd_, dpi_);
        if (dpi != dpi_) {
            UseDpi(dpi);
            CentreOn(hwnd_, area);
        }
        // A window that is not a dialog box starts with its focus rings
        // shown. Told to start from the last input, it hides them after a
        // click until a key is used, as a dialog box does ("WM_CHANGEUISTATE
        // message").
        SendMessageW(hwnd_, WM_CHANGEUISTATE,
                     MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
}

void Window::UseDpi(int dpi)
{
    if (dpi == dpi_)
        return;
    Relayout(dpi);
    FitFrame(hwnd_, table_, dpi);
}

void Window::ChooseColours()
{
    highContrast_ = CurrentDisplay().highContrast();
    const bool system = highContrast_;
    const auto pick = [system](int index, forms::Rgb own) {
        return system ? GetSysColor(index) : ColourRef(own);
    };
    const auto brush = [](COLORREF colour) { return Brush(CreateSolidBrush(colour)); };
    backgroundColour_ = pick(COLOR_WINDOW, table_.background);
    background_ = brush(backgroundColour_);
    for (std::size_t i = 0; i < looks_.size(); ++i) {
        const forms::Control &row = table_.controls[i];
        Look &look = looks_[i];
        // Squares, labels and buttons always have a colour:
        // forms::detail::WellFormed checks every table for one at compile time.
        if (row.kind == Kind::Square) {
            look.faceColour = pick(COLOR_WINDOWTEXT, *row.colour);
            look.face = brush(look.faceColour);
        } else if (row.kind == Kind::Label) {
            look.text = pick(COLOR_WINDOWTEXT, *row.colour);
        } else if (row.kind == Kind::Button) {
            const forms::ButtonColours colours = forms::ButtonColoursOf(*row.colour);
            look.faceColour = pick(COLOR_BTNFACE, colours.face);
            look.face = brush(look.faceColour);
            look.pressedFace = brush(pick(COLOR_HIGHLIGHT, colours.pressedFace));
            look.pressedEdge = brush(pick(COLOR_BTNTEXT, colours.pressedEdge));
            look.text = system ? GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0);
            look.pressedText = system ? GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(0, 0, 0);
        }
    }
}

void Window::BuildControls()
{
    controls_.resize(table_.controls.size());
    for (const int index : CreationOrder(table_)) {
        const forms::Control &row = Row(index);
        // Painted with the background (EraseBackground): a window would be
        // an object in the accessibility tree, with nothing to say.
        if (forms::IsDecoration(row.kind))
            continue;
        const forms::Pixels place = forms::PixelRect(row.rect, dpi_);
        const ClassAndStyle kind = ClassFor(row.kind);
        const std::wstring fixedName = Widen(forms::FixedAccessibleName(table_, row));
        // Buttons and pictures carry their fixed accessible name as window
        // text; a button's face draws its caption instead.
        const bool namedByText = row.kind == Kind::Button || row.kind == Kind::Picture;
        const std::wstring text = namedByText && !fixedName.empty() ? fixedName : Widen(row.text);
        // Each control a group of its own. The dialog manager moves the focus
        // to the next control of the group on an arrow key ("Window Styles",
        // WS_GROUP); with no groups, an arrow on a button would move it on,
        // onto a label or a square too. Labels start groups as well, or the
        // last control in the tab order would share one with them.
        const HWND control =
            CreateWindowExW(kind.exStyle, kind.className, text.c_str(),
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP | kind.style,
                            place.left, place.top, place.width, place.height, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                            module_, nullptr);
        controls_[static_cast<std::size_t>(index)] = control;
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_.ForControl(table_, row, dpi_)), FALSE);

        if (row.kind == Kind::OutputField) {
            // Room for the longest password, above the control's default limit,
            // and nothing to undo in a read-only field. A password longer than
            // a line breaks at the margin by itself, and Ctrl+arrows need the
            // control's own idea of words, so no word-break procedure.
            SendMessageW(control, EM_EXLIMITTEXT, 0, 65535);
            SendMessageW(control, EM_SETUNDOLIMIT, 0, 0);
        }
        if (row.kind == Kind::Button)
            SetWindowSubclass(control, &EveryClickPresses, 0, 0);
        AttachAccessibleName(control, fixedName, row.kind == Kind::Picture);
    }
}

void Window::ScaleLooks()
{
    for (std::size_t i = 0; i < looks_.size(); ++i) {
        const forms::Control &row = table_.controls[i];
        if (row.kind == Kind::Button)
            SetCaption(static_cast<int>(i), std::wstring(looks_[i].caption));
        if (row.kind == Kind::Picture)
            looks_[i].picture = LoadPicture(
                module_, row.picture == forms::Picture::Banner ? IDR_BANNER : IDR_PORTRAIT, dpi_);
    }
    Icon newBig = LoadSized(module_, icon_, dpi_, SM_CXICON, SM_CYICON);
    Icon newSmall = LoadSized(module_, icon_, dpi_, SM_CXSMICON, SM_CYSMICON);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig.Get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall.Get()));
    // The old ones go only once the window no longer shows them.
    bigIcon_ = std::move(newBig);
    smallIcon_ = std::move(newSmall);
}

void Window::Relayout(int dpi)
{
    dpi_ = dpi;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const forms::Control &row = table_.controls[i];
        if (!controls_[i])
            continue; // decoration, painted where the table puts it
        const forms::Pixels place = forms::PixelRect(row.rect, dpi);
        SetWindowPos(controls_[i], nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_.ForControl(table_, row, dpi)), TRUE);
    }
    ScaleLooks();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::SetCaption(int index, std::wstring_view caption)
{
    const HWND button = controls_.at(static_cast<std::size_t>(index));
    Look &look = looks_[static_cast<std::size_t>(index)];
    look.caption = caption;
    look.captionFont = FitCaption(index, look.caption);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(look.captionFont), FALSE);
    if (forms::FixedAccessibleName(table_, Row(index)).empty())
        SetWindowTextW(button, look.caption.c_str());
    InvalidateRect(button, nullptr, TRUE);
}

HFONT Window::FitCaption(int index, std::wstring_view caption)
{
    // Measured with the button's own DC, as the button draws it.
    const HWND button = controls_[static_cast<std::size_t>(index)];
    const forms::Font &font = forms::ControlFont(table_, Row(index));
    const WindowDc owned(button);
    HDC dc = owned.Get();
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    const forms::Face face = fonts_.FaceAt(font, dpi_);
    const auto widthAt = [&](int pixels) {
        SelectObject(dc, fonts_.Get(font, pixels, face.family));
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.data(), static_cast<int>(caption.size()), &extent);
        return static_cast<int>(extent.cx);
    };
    const int pixels = forms::CaptionPixels(
        face.pixels, forms::PixelRect(Row(index).rect, dpi_).width, dpi_, widthAt);
    SelectObject(dc, original);
    return fonts_.Get(font, pixels, face.family);
}

int Window::PressedIndex(int id, HWND control, UINT code) const
{
    // No button is the default: the dialog manager turns Enter into IDOK,
    // which presses the focused control and nothing else; Esc (IDCANCEL)
    // presses nothing. A click counts once, as BN_CLICKED.
    if (id == IDOK && !control) {
        const HWND focus = GetFocus();
        return focus && IsChild(hwnd_, focus) ? IndexOf(GetDlgCtrlID(focus)) : forms::kNone;
    }
    return control && code == BN_CLICKED ? IndexOf(id) : forms::kNone;
}

int Window::IndexOf(int id) const
{
    const int index = id - kFirstControlId;
    return index >= 0 && static_cast<std::size_t>(index) < table_.controls.size() ? index
                                                                                  : forms::kNone;
}

const forms::Control &Window::Row(int index) const
{
    return table_.controls[static_cast<std::size_t>(index)];
}

HWND Window::FocusTarget() const
{
    if (CanTakeFocus(lastFocus_))
        return lastFocus_;
    const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(), CanTakeFocus);
    return first != tabOrder_.end() ? *first : nullptr;
}

void Window::OnActivate(bool active)
{
    if (!active) {
        const HWND focus = GetFocus();
        if (std::find(tabOrder_.begin(), tabOrder_.end(), focus) != tabOrder_.end())
            lastFocus_ = focus;
        return;
    }
    // With no control able to take it, the focus goes to the window itself.
    const HWND target = FocusTarget();
    SetFocus(target ? target : hwnd_);
}

void Window::EraseBackground(HDC dc) const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, background_.Get());
    for (std::size_t i = 0; i < looks_.size(); ++i)
        if (forms::IsDecoration(table_.controls[i].kind)) {
            const forms::Pixels place = forms::PixelRect(table_.controls[i].rect, dpi_);
            const RECT square{place.left, place.top, place.left + place.width,
                              place.top + place.height};
            FillRect(dc, &square, looks_[i].face.Get());
        }
}

HBRUSH Window::ColourStatic(HDC dc, HWND control) const
{
    const int index = IndexOf(GetDlgCtrlID(control));
    if (index != forms::kNone && Row(index).kind == Kind::Label)
        SetTextColor(dc, looks_[static_cast<std::size_t>(index)].text);
    SetBkColor(dc, backgroundColour_);
    return background_.Get();
}

void Window::DrawItem(const DRAWITEMSTRUCT &draw) const
{
    const int index = IndexOf(static_cast<int>(draw.CtlID));
    if (index == forms::kNone)
        return;
    const Look &look = looks_[static_cast<std::size_t>(index)];
    // The control's DC goes back in its default state, as the "WM_DRAWITEM
    // message" page asks: mode, colours and objects.
    const int saved = SaveDC(draw.hDC);
    switch (Row(index).kind) {
    case Kind::Button:
        DrawButton(index, draw);
        break;
    case Kind::Picture:
        DrawPicture(look.picture, draw);
        break;
    default:
        break;
    }
    RestoreDC(draw.hDC, saved);
}

void Window::DrawPicture(const DecodedPicture &picture, const DRAWITEMSTRUCT &draw) const
{
    FillRect(draw.hDC, &draw.rcItem, background_.Get());
    if (!picture.bitmap)
        return;
    const MemoryDc owned(draw.hDC);
    HDC memory = owned.Get();
    const HGDIOBJ original = SelectObject(memory, picture.bitmap.Get());
    // Premultiplied pixels: a GIF's transparent ones show the window.
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const SIZE size = picture.size;
    GdiAlphaBlend(draw.hDC, 0, 0, size.cx, size.cy, memory, 0, 0, size.cx, size.cy, blend);
    SelectObject(memory, original);
}

void Window::DrawButton(int index, const DRAWITEMSTRUCT &draw) const
{
    const Look &look = looks_[static_cast<std::size_t>(index)];
    HDC dc = draw.hDC;
    RECT face = draw.rcItem;
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    const int edge = forms::Scale(2, dpi_);
    if (pressed) {
        // Sunk: a darker face inside a darker edge, the caption nudged down.
        FillRect(dc, &face, look.pressedEdge.Get());
        InflateRect(&face, -edge, -edge);
        FillRect(dc, &face, look.pressedFace.Get());
    } else {
        FillRect(dc, &face, look.face.Get());
        // In high contrast a button shows its bounds, as the system's do.
        if (highContrast_)
            FrameRect(dc, &face, look.pressedEdge.Get());
    }

    RECT text = draw.rcItem;
    if (pressed)
        OffsetRect(&text, 1, 1);
    const HGDIOBJ original = SelectObject(dc, look.captionFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (draw.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                     : pressed                       ? look.pressedText
                                                     : look.text);
    DrawTextW(dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, original);

    // The system hides focus rings until the keyboard is used, then shows them.
    if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT)) {
        RECT ring = draw.rcItem;
        InflateRect(&ring, -edge - 1, -edge - 1);
        SetTextColor(dc, look.text);
        SetBkColor(dc, look.faceColour);
        DrawFocusRect(dc, &ring);
    }
}

} // namespace zorvane::win32
