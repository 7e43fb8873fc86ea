// SPDX-License-Identifier: MIT
#include "painter.h"

#include "commands.h"
#include "resource.h"

namespace zorvane::win32 {
namespace {

using forms::Kind;

Brush SolidBrush(forms::Rgb colour)
{
    return Brush(CreateSolidBrush(ColourRef(colour)));
}

} // namespace

COLORREF ColourRef(forms::Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

Painter::Painter(const forms::Window &table, HINSTANCE module, int dpi, const Captions &captions)
    : table_(&table), captions_(&captions), dpi_(dpi), background_(SolidBrush(table.background)),
      looks_(table.controls.size())
{
    for (std::size_t i = 0; i < table.controls.size(); ++i) {
        const forms::Control &row = table.controls[i];
        Look &look = looks_[i];
        // Markers and buttons always have a colour: forms::detail::WellFormed
        // checks every table for one at compile time.
        if (row.kind == Kind::Square)
            look.face = SolidBrush(*row.colour);
        if (row.kind == Kind::Button) {
            const forms::ButtonColours colours = forms::ButtonColoursOf(*row.colour);
            look.face = SolidBrush(colours.face);
            look.pressedFace = SolidBrush(colours.pressedFace);
            look.pressedEdge = SolidBrush(colours.pressedEdge);
        }
        if (row.kind == Kind::Picture)
            look.picture = LoadPicture(
                module, row.picture == forms::Picture::Banner ? IDR_BANNER : IDR_PORTRAIT, dpi);
    }
}

int Painter::IndexOf(int id) const
{
    const int index = id - kFirstControlId;
    return table_ && forms::ControlAt<int>(*table_, index) ? index : forms::kNone;
}

const forms::Control &Painter::Row(int index) const
{
    return table_->controls[static_cast<std::size_t>(index)];
}

SIZE Painter::PictureSize(int index) const
{
    return looks_.at(static_cast<std::size_t>(index)).picture.size;
}

LRESULT Painter::DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
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

void Painter::EraseBackground(HWND window, HDC dc) const
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, background_.Get());
}

HBRUSH Painter::ColourStatic(HDC dc, HWND control) const
{
    // Labels always have a colour (checked with the table at compile time).
    const int index = IndexOf(GetDlgCtrlID(control));
    if (index != forms::kNone && Row(index).kind == Kind::Label)
        SetTextColor(dc, ColourRef(*Row(index).colour));
    SetBkColor(dc, ColourRef(table_->background));
    return background_.Get();
}

void Painter::DrawItem(const DRAWITEMSTRUCT &draw) const
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
    case Kind::Square:
        FillRect(draw.hDC, &draw.rcItem, look.face.Get());
        break;
    case Kind::Picture:
        DrawPicture(look.picture, draw);
        break;
    default:
        break;
    }
    RestoreDC(draw.hDC, saved);
}

void Painter::DrawPicture(const DecodedPicture &picture, const DRAWITEMSTRUCT &draw) const
{
    FillRect(draw.hDC, &draw.rcItem, background_.Get());
    if (!picture.bitmap)
        return;
    HDC memory = CreateCompatibleDC(draw.hDC);
    const HGDIOBJ original = SelectObject(memory, picture.bitmap.Get());
    // Premultiplied pixels: a GIF's transparent ones show the window.
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const SIZE size = picture.size;
    GdiAlphaBlend(draw.hDC, 0, 0, size.cx, size.cy, memory, 0, 0, size.cx, size.cy, blend);
    SelectObject(memory, original);
    DeleteDC(memory);
}

void Painter::DrawButton(int index, const DRAWITEMSTRUCT &draw) const
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
    }

    RECT text = draw.rcItem;
    if (pressed)
        OffsetRect(&text, 1, 1);
    const std::wstring &caption = captions_->Caption(index);
    const HGDIOBJ original = SelectObject(dc, captions_->Font(index));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (draw.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, original);

    // The system hides focus rings until the keyboard is used, then shows them.
    if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT)) {
        RECT ring = draw.rcItem;
        InflateRect(&ring, -edge - 1, -edge - 1);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, ColourRef(*Row(index).colour));
        DrawFocusRect(dc, &ring);
    }
}

} // namespace zorvane::win32
