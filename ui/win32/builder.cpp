// SPDX-License-Identifier: MIT
#include "builder.h"

#include "accessibility.h"
#include "commands.h"
#include "text.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

namespace zorvane::win32 {
namespace {

using forms::Kind;

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

} // namespace

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

std::vector<HWND> TabOrder(const forms::Window &table, std::span<const HWND> controls)
{
    std::vector<HWND> order;
    for (const int index : CreationOrder(table))
        if (table.controls[static_cast<std::size_t>(index)].TakesFocus())
            order.push_back(controls[static_cast<std::size_t>(index)]);
    return order;
}

void PlaceControls(const forms::Window &table, std::span<const HWND> controls, int dpi,
                   FontCache &fonts)
{
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const forms::Control &row = table.controls[i];
        const forms::Pixels place = forms::PixelRect(row.rect, dpi);
        SetWindowPos(controls[i], nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls[i], WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts.ForControl(table, row, dpi)), TRUE);
    }
}

std::vector<HWND> BuildControls(HWND window, HINSTANCE module, const forms::Window &table, int dpi,
                                FontCache &fonts)
{
    std::vector<HWND> controls(table.controls.size());
    for (const int index : CreationOrder(table)) {
        const forms::Control &row = table.controls[static_cast<std::size_t>(index)];
        const forms::Pixels place = forms::PixelRect(row.rect, dpi);
        const ClassAndStyle kind = ClassFor(row.kind);
        const std::wstring fixedName = Widen(forms::FixedAccessibleName(table, row));
        // Buttons and pictures carry their fixed accessible name as window
        // text; a button's face draws its caption instead.
        const bool namedByText = row.kind == Kind::Button || row.kind == Kind::Picture;
        const std::wstring text = namedByText && !fixedName.empty() ? fixedName : Widen(row.text);
        // Each control a group of its own. The dialog manager moves the focus
        // to the next control of the group on an arrow key ("Window Styles",
        // WS_GROUP); with no groups, an arrow on a button would move it on,
        // onto a label or a marker too. Labels start groups as well, or the
        // last control in the tab order would share one with them.
        const HWND control = CreateWindowExW(
            kind.exStyle, kind.className, text.c_str(),
            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP | kind.style, place.left, place.top,
            place.width, place.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))), module, nullptr);
        controls[static_cast<std::size_t>(index)] = control;
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts.ForControl(table, row, dpi)), FALSE);

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
    return controls;
}

} // namespace zorvane::win32
