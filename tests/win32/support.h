// SPDX-License-Identifier: MIT
// Helpers the window tests share: driving the real message loop, and reading
// back what the windows drew.
#pragma once

#include "handles.h"
#include "program.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvane::win32::testing {

// Handles every waiting message as the program's loop would.
inline void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        Deliver(message);
}

// The flags a released key carries: previous state down, transition up.
inline constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);

// Presses and releases `key` on the control that has the focus, through the
// message loop and its dialog manager.
inline void PressKey(UINT key, bool shift = false)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    Pump();
    PostMessageW(GetFocus(), WM_KEYUP, key, kKeyUp);
    Pump();
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
}

inline void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
}

// A control's rectangle in its parent's client coordinates.
inline RECT PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// "{left,top widthxheight}", for comparing rectangles readably.
inline std::string Describe(const RECT &rect)
{
    return '{' + std::to_string(rect.left) + ',' + std::to_string(rect.top) + ' ' +
           std::to_string(rect.right - rect.left) + 'x' + std::to_string(rect.bottom - rect.top) +
           '}';
}

// The face the system actually draws a control's font with, once its font
// mapper has picked from the installed faces.
inline std::wstring FaceOf(HWND control)
{
    HDC dc = GetDC(control);
    const HGDIOBJ original =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, original);
    ReleaseDC(control, dc);
    return face;
}

// A window's client area as drawn, read back through its device context.
class Snapshot {
public:
    explicit Snapshot(HWND window) : window_(window)
    {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        dc_ = GetDC(window);
    }
    Snapshot(const Snapshot &) = delete;
    Snapshot &operator=(const Snapshot &) = delete;
    ~Snapshot() { ReleaseDC(window_, dc_); }

    [[nodiscard]] COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    [[nodiscard]] int Count(const RECT &area, COLORREF colour) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += At(x, y) == colour;
        return count;
    }
    [[nodiscard]] bool Has(const RECT &area, COLORREF colour) const
    {
        return Count(area, colour) > 0;
    }

private:
    HWND window_;
    HDC dc_ = nullptr;
};

} // namespace zorvane::win32::testing
