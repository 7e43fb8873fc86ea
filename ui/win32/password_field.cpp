// SPDX-License-Identifier: MIT
#include "password_field.h"

#include "forms/main_window.h"
#include "text.h"

#include <commctrl.h>
#include <windowsx.h>

namespace zorvane::win32 {
namespace {

// The password field's own menu: Copy and Select All, as a read-only field
// offers. `where` is in screen coordinates, or -1 from the keyboard.
void ShowCopyMenu(HWND field, LPARAM where)
{
    enum : UINT { kCopy = 1, kSelectAll = 2 };
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        RECT area;
        GetClientRect(field, &area);
        at = {area.left, area.top};
        ClientToScreen(field, &at);
    }
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    HMENU menu = CreatePopupMenu();
    const auto grayedIf = [](bool condition) {
        return static_cast<UINT>(MF_STRING | (condition ? MF_GRAYED : MF_ENABLED));
    };
    AppendMenuW(menu, grayedIf(start == end), kCopy, L"&Copy");
    AppendMenuW(menu, grayedIf(GetWindowTextLengthW(field) == 0), kSelectAll, L"Select &All");
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, field, nullptr));
    DestroyMenu(menu);
    if (chosen == kCopy)
        SendMessageW(field, WM_COPY, 0, 0);
    else if (chosen == kSelectAll)
        SendMessageW(field, EM_SETSEL, 0, -1);
}

// An empty field after a failed request says why, in grey.
void DrawFailureCue(HWND field)
{
    RECT area;
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    HDC dc = GetDC(field);
    // A class or private DC keeps what is set in it after ReleaseDC ("GetDC
    // function"), and the field would draw with it next: it goes back as it came.
    const int saved = SaveDC(dc);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const std::wstring cue = Widen(forms::kSourceFailedText);
    DrawTextW(dc, cue.c_str(), static_cast<int>(cue.size()), &area,
              DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    RestoreDC(dc, saved);
    ReleaseDC(field, dc);
}

LRESULT CALLBACK PasswordFieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR sourceFailed)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // A multi-line field asks for every key, Tab included. Tab, Enter and
        // Esc go to the dialog manager instead: Tab moves on, Enter presses
        // no button here, and Esc starts nothing.
        LRESULT code = DefSubclassProc(field, message, wParam, lParam);
        const auto *key = reinterpret_cast<const MSG *>(lParam);
        if (key && key->message == WM_KEYDOWN &&
            (key->wParam == VK_TAB || key->wParam == VK_RETURN || key->wParam == VK_ESCAPE))
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return code;
    }
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        if (*reinterpret_cast<const bool *>(sourceFailed) && GetWindowTextLengthW(field) == 0)
            DrawFailureCue(field);
        return result;
    }
    case WM_CONTEXTMENU:
        ShowCopyMenu(field, lParam);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, &PasswordFieldProcedure, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

} // namespace

void AttachPasswordField(HWND field, const bool &sourceFailed)
{
    SetWindowSubclass(field, &PasswordFieldProcedure, 0,
                      reinterpret_cast<DWORD_PTR>(&sourceFailed));
}

} // namespace zorvane::win32
