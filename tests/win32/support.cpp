// SPDX-License-Identifier: MIT
#include "support.h"

#include <algorithm>

namespace zorvane::win32::testing {

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        Deliver(message);
}

void PressKey(int key)
{
    PostMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    Pump();
    PostMessageW(GetFocus(), WM_KEYUP, static_cast<WPARAM>(key), kKeyUp);
    Pump();
}

void PressWithControl(int key)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PressKey(key);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

void CopyAllOf(HWND field, int key)
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    SendMessageW(field, EM_SETSEL, 0, -1);
    key ? PressWithControl(key) : void(SendMessageW(field, WM_COPY, 0, 0));
    Pump();
}

std::vector<HWND> ControlsOf(HWND window, const forms::Window &table)
{
    std::vector<HWND> controls;
    for (std::size_t i = 0; i < table.controls.size(); ++i)
        controls.push_back(ControlOf(window, i));
    return controls;
}

HWND FindAbout()
{
    return FindWindowW(L"ZorvaneAboutWindow", nullptr);
}

RECT PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

std::array<LONG, 4> Edges(const RECT &r)
{
    return {r.left, r.top, r.right, r.bottom};
}

UINT WINAPI MonitorDpi(HWND)
{
    return static_cast<UINT>(monitorDpi);
}

bool HighContrast()
{
    return highContrast;
}

Snapshot::Snapshot(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    RECT client;
    GetClientRect(window, &client);
    width = client.right;
    height = client.bottom;
    HDC screen = GetDC(window), memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    DeleteDC(memory);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB};
    pixels.resize(static_cast<std::size_t>(width * height));
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    ReleaseDC(window, screen);
    for (COLORREF &pixel : pixels) // read as 0x00RRGGBB
        pixel = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));
}

int Snapshot::Count(const RECT &area, COLORREF colour) const
{
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height, area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(width, area.right); ++x)
            count += At(x, y) == colour;
    return count;
}

zorvane::testing::Image Snapshot::ToImage() const
{
    zorvane::testing::Image image{width, height, {}};
    std::transform(pixels.begin(), pixels.end(), std::back_inserter(image.pixels), Rgb);
    return image;
}

void ExpectPixels(const Snapshot &shot, std::initializer_list<Pixel> expected)
{
    for (const Pixel &p : expected)
        EXPECT_EQ(Rgb(shot.At(p.x, p.y)), Rgb(p.colour))
            << p.what << " at " << p.x << ", " << p.y << std::hex << ": " << Rgb(shot.At(p.x, p.y));
}

} // namespace zorvane::win32::testing
