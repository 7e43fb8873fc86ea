// SPDX-License-Identifier: MIT
#include "contents.h"

#include "accessibility.h"
#include "resource.h"

#include <richedit.h>

#include <algorithm>

namespace zorvane::win32 {
namespace {

using forms::Kind;

// Room a caption leaves for the focus ring, both sides together, at 96 dpi.
constexpr int kCaptionMargin = 6;
// The smallest a fitted caption's font may get, at 96 dpi.
constexpr int kSmallestCaption = 8;

// The tables' fonts name character set 178, the Arabic one. None of the
// windows' texts is Arabic, and asking for it makes the font mapper put the
// character set before the face name: "MS Sans Serif", a face without that
// set, is then swapped for whatever face has it. Asking for the default set
// keeps the named faces, which is what the windows were drawn with.
constexpr BYTE kCharacterSet = DEFAULT_CHARSET;

std::uint8_t Darker(std::uint8_t channel, int factor)
{
    return static_cast<std::uint8_t>(channel * 100 / factor);
}

forms::Rgb Darker(forms::Rgb colour, int factor)
{
    return {Darker(colour.red, factor), Darker(colour.green, factor), Darker(colour.blue, factor)};
}

RECT PixelRect(const forms::Twips &twips, int dpi)
{
    const int left = forms::TwipsToPixels(twips.left, dpi);
    const int top = forms::TwipsToPixels(twips.top, dpi);
    return {left, top, left + forms::TwipsToPixels(twips.width, dpi),
            top + forms::TwipsToPixels(twips.height, dpi)};
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
    case Kind::Marker:
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

// Every position may end a line; no character separates words.
int CALLBACK BreakAnywhere(LPWSTR, int position, int length, int action)
{
    switch (action) {
    case WB_LEFT:
        return position > 0 ? position - 1 : 0;
    case WB_RIGHT:
        return position < length ? position + 1 : length;
    default: // WB_ISDELIMITER
        return FALSE;
    }
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

struct Contents::CachedFont {
    const forms::Font *font;
    int pixels;
    Font handle;
};

struct Contents::Item {
    const forms::Control *row = nullptr;
    HWND hwnd = nullptr;
    RECT rect{};
    std::wstring caption; // a button's face
    HFONT font = nullptr; // owned by fonts_
    Brush fill;           // a marker's fill or a button's face
    Brush pressed;        // a button's face while pressed
    Brush pressedEdge;
    DecodedPicture picture;
};

Contents::Contents(HWND window, HINSTANCE module, const forms::Window &table, int dpi)
    : table_(table), dpi_(dpi), background_(CreateSolidBrush(ColourRef(table.background)))
{
    // Focusable controls in tab order, then the rest in the table's order.
    std::vector<const forms::Control *> order;
    for (const forms::Control &row : table.controls)
        order.push_back(&row);
    const auto focusable = std::stable_partition(
        order.begin(), order.end(), [](const forms::Control *row) { return row->TakesFocus(); });
    std::stable_sort(
        order.begin(), focusable,
        [](const forms::Control *a, const forms::Control *b) { return a->tab < b->tab; });

    items_.reserve(order.size());
    AccessibleNames names;
    for (const forms::Control *row : order) {
        Item &item = items_.emplace_back();
        item.row = row;
        item.rect = PixelRect(row->rect, dpi);
        item.caption = Widen(row->text);

        const ClassAndStyle kind = ClassFor(row->kind);
        // Buttons and pictures carry their accessible name as window text;
        // a button's face draws its caption instead.
        std::wstring text = item.caption;
        if ((row->kind == Kind::Button || row->kind == Kind::Picture) &&
            !row->accessibleName.empty())
            text = Widen(row->accessibleName);
        const int id = kFirstControlId + static_cast<int>(row - table.controls.data());
        item.hwnd = CreateWindowExW(
            kind.exStyle, kind.className, text.c_str(),
            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, item.rect.left, item.rect.top,
            item.rect.right - item.rect.left, item.rect.bottom - item.rect.top, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);

        const forms::Font &font = row->font ? *row->font : *table.font;
        item.font = FontFor(font, forms::FontPixels(font, dpi));
        SendMessageW(item.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(item.font), FALSE);

        if (row->kind == Kind::OutputField) {
            // Room for the longest password, above the control's default limit;
            // nothing to undo in a read-only field; and a password has no
            // words, so it wraps anywhere.
            SendMessageW(item.hwnd, EM_EXLIMITTEXT, 0, 65535);
            SendMessageW(item.hwnd, EM_SETUNDOLIMIT, 0, 0);
            SendMessageW(item.hwnd, EM_SETWORDBREAKPROC, 0,
                         reinterpret_cast<LPARAM>(&BreakAnywhere));
        }
        if (row->colour && (row->kind == Kind::Marker || row->kind == Kind::Button))
            item.fill = Brush(CreateSolidBrush(ColourRef(*row->colour)));
        if (row->kind == Kind::Button) {
            item.pressed = Brush(CreateSolidBrush(ColourRef(Darker(*row->colour, 115))));
            item.pressedEdge = Brush(CreateSolidBrush(ColourRef(Darker(*row->colour, 160))));
            FitCaption(item);
        }
        if (row->picture != forms::Picture::None)
            item.picture = LoadPicture(
                module, row->picture == forms::Picture::Banner ? IDR_BANNER : IDR_PORTRAIT, dpi);

        // What a screen reader calls the control, where that is not its text.
        // A label is heard by what it shows, the figure included; only a
        // field takes its name from the label beside it.
        if (!row->labelledBy.empty() && row->kind != Kind::Label)
            names.Name(item.hwnd, Widen(forms::FindControl(table, row->labelledBy)->text));
        else if (!row->accessibleName.empty() && row->kind != Kind::Button)
            names.Name(item.hwnd, Widen(row->accessibleName));
        if (row->kind == Kind::Picture)
            names.RoleGraphic(item.hwnd);
    }
}

Contents::~Contents() = default;

HWND Contents::Find(std::string_view name) const
{
    for (const Item &item : items_)
        if (item.row->name == name)
            return item.hwnd;
    return nullptr;
}

const Contents::Item *Contents::ItemOf(HWND control) const
{
    for (const Item &item : items_)
        if (item.hwnd == control)
            return &item;
    return nullptr;
}

HFONT Contents::FontFor(const forms::Font &font, int pixels)
{
    for (const CachedFont &cached : fonts_)
        if (cached.font == &font && cached.pixels == pixels)
            return cached.handle.Get();
    LOGFONTW log{};
    log.lfHeight = -pixels;
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    log.lfCharSet = kCharacterSet;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    const std::wstring family = Widen(font.family);
    family.copy(log.lfFaceName, LF_FACESIZE - 1);
    Font handle(CreateFontIndirectW(&log));
    const HFONT result = handle.Get();
    fonts_.push_back({&font, pixels, std::move(handle)});
    return result;
}

void Contents::FitCaption(Item &item)
{
    const forms::Font &font = item.row->font ? *item.row->font : *table_.font;
    const int room = item.rect.right - item.rect.left - MulDiv(kCaptionMargin, dpi_, 96);
    const int smallest = MulDiv(kSmallestCaption, dpi_, 96);
    HDC dc = GetDC(item.hwnd);
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    for (int pixels = forms::FontPixels(font, dpi_);; --pixels) {
        item.font = FontFor(font, pixels);
        SelectObject(dc, item.font);
        SIZE extent{};
        GetTextExtentPoint32W(dc, item.caption.c_str(), static_cast<int>(item.caption.size()),
                              &extent);
        if (extent.cx <= room || pixels <= smallest)
            break;
    }
    SelectObject(dc, original);
    ReleaseDC(item.hwnd, dc);
    SendMessageW(item.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(item.font), FALSE);
}

void Contents::SetCaption(HWND button, std::wstring_view caption)
{
    for (Item &item : items_) {
        if (item.hwnd != button)
            continue;
        item.caption = caption;
        FitCaption(item);
        if (item.row->accessibleName.empty())
            SetWindowTextW(button, item.caption.c_str());
        InvalidateRect(button, nullptr, TRUE);
    }
}

std::wstring Contents::Caption(HWND button) const
{
    const Item *item = ItemOf(button);
    return item ? item->caption : std::wstring();
}

HFONT Contents::FontOf(HWND control) const
{
    const Item *item = ItemOf(control);
    return item ? item->font : nullptr;
}

SIZE Contents::PictureSize(HWND picture) const
{
    const Item *item = ItemOf(picture);
    return item ? item->picture.size : SIZE{};
}

LRESULT Contents::DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    switch (message) {
    case WM_ERASEBKGND:
        EraseBackground(window, reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND Contents::PressedButton(int id, HWND control, UINT code) const
{
    if (id == IDOK && !control)
        return FocusedButton();
    return control && code == BN_CLICKED ? control : nullptr;
}

void Contents::EraseBackground(HWND window, HDC dc) const
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, background_.Get());
}

HBRUSH Contents::ColourStatic(HDC dc, HWND control) const
{
    const Item *item = ItemOf(control);
    // Labels show the window's background, in their own text colour.
    if (item && item->row->colour)
        SetTextColor(dc, ColourRef(*item->row->colour));
    SetBkColor(dc, ColourRef(table_.background));
    return background_.Get();
}

void Contents::DrawItem(const DRAWITEMSTRUCT &draw) const
{
    const Item *item = ItemOf(draw.hwndItem);
    if (!item)
        return;
    switch (item->row->kind) {
    case Kind::Button:
        DrawButton(*item, draw);
        break;
    case Kind::Marker:
        FillRect(draw.hDC, &draw.rcItem, item->fill.Get());
        break;
    case Kind::Picture: {
        FillRect(draw.hDC, &draw.rcItem, background_.Get());
        if (!item->picture.bitmap)
            break;
        HDC memory = CreateCompatibleDC(draw.hDC);
        const HGDIOBJ original = SelectObject(memory, item->picture.bitmap.Get());
        // Premultiplied pixels: a GIF's transparent ones show the window.
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        const SIZE size = item->picture.size;
        GdiAlphaBlend(draw.hDC, 0, 0, size.cx, size.cy, memory, 0, 0, size.cx, size.cy, blend);
        SelectObject(memory, original);
        DeleteDC(memory);
        break;
    }
    default:
        break;
    }
}

void Contents::DrawButton(const Item &item, const DRAWITEMSTRUCT &draw) const
{
    HDC dc = draw.hDC;
    RECT face = draw.rcItem;
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    const int edge = MulDiv(2, dpi_, 96);
    if (pressed) {
        // Sunk: a darker face inside a darker edge, the caption nudged down.
        FillRect(dc, &face, item.pressedEdge.Get());
        InflateRect(&face, -edge, -edge);
        FillRect(dc, &face, item.pressed.Get());
    } else {
        FillRect(dc, &face, item.fill.Get());
    }

    RECT text = draw.rcItem;
    if (pressed)
        OffsetRect(&text, 1, 1);
    const HGDIOBJ original = SelectObject(dc, item.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (draw.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
    DrawTextW(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, original);

    // The system hides focus rings until the keyboard is used, then shows them.
    if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT)) {
        RECT ring = draw.rcItem;
        InflateRect(&ring, -edge - 1, -edge - 1);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, ColourRef(*item.row->colour));
        DrawFocusRect(dc, &ring);
    }
}

HWND Contents::FocusedButton() const
{
    const Item *item = ItemOf(GetFocus());
    return item && item->row->kind == Kind::Button ? item->hwnd : nullptr;
}

HWND Contents::FocusTarget() const
{
    if (CanTakeFocus(lastFocus_))
        return lastFocus_;
    // Items begin with the focusable controls, in tab order.
    for (const Item &item : items_)
        if (CanTakeFocus(item.hwnd))
            return item.hwnd;
    return nullptr;
}

HWND Contents::Activate(bool active)
{
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && ItemOf(focus))
            lastFocus_ = focus;
        return nullptr;
    }
    const HWND target = FocusTarget();
    if (target)
        SetFocus(target);
    return target;
}

} // namespace zorvane::win32
