// SPDX-License-Identifier: MIT
// Helpers the window tests share: driving the real message loop, and reading
// back what the windows drew.
#pragma once

#include "handles.h"
#include "program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

inline SIZE ClientSize(HWND window)
{
    RECT rect;
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

// The face and size the system actually draws a control's font with, after
// its font mapper has picked from the installed faces.
struct ResolvedFont {
    std::wstring face;
    LONG weight = 0;
};

inline ResolvedFont FontOfControl(HWND control)
{
    HDC dc = GetDC(control);
    const HGDIOBJ original =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, original);
    ReleaseDC(control, dc);
    return {face, metrics.tmWeight};
}

// The client area of a window as drawn, one COLORREF per pixel.
class Snapshot {
public:
    explicit Snapshot(HWND window)
    {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        size_ = ClientSize(window);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size_.cx, -size_.cy, 1, 32, BI_RGB};
        void *bits = nullptr;
        HDC source = GetDC(window);
        HDC memory = CreateCompatibleDC(source);
        Bitmap bitmap(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        const HGDIOBJ original = SelectObject(memory, bitmap.Get());
        BitBlt(memory, 0, 0, size_.cx, size_.cy, source, 0, 0, SRCCOPY);
        GdiFlush();
        const auto *pixels = static_cast<const DWORD *>(bits);
        pixels_.assign(pixels, pixels + size_.cx * size_.cy);
        SelectObject(memory, original);
        DeleteDC(memory);
        ReleaseDC(window, source);
    }

    [[nodiscard]] COLORREF At(int x, int y) const
    {
        const DWORD bgra = pixels_[static_cast<std::size_t>(y * size_.cx + x)];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
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
    // Writes the picture as a BMP file, to look at what the tests saw.
    void Save(const std::wstring &path) const;

private:
    SIZE size_{};
    std::vector<DWORD> pixels_;
};

// Saves `snapshot` as `name`.bmp in the folder ZORVANE_SNAPSHOTS names, if set.
void KeepForViewing(const Snapshot &snapshot, const wchar_t *name);

} // namespace zorvane::win32::testing
