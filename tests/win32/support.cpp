// SPDX-License-Identifier: MIT
#include "support.h"

#include <algorithm>

namespace zorvane::win32::testing {
namespace {

// Whether `pixel` is `from`, `to`, or a blend of the two as a smoothed glyph's
// edge draws it (gamma bends the blend, so each channel is only kept between).
bool Between(COLORREF pixel, COLORREF from, COLORREF to)
{
    for (const int shift : {0, 8, 16}) {
        const unsigned a = (from >> shift) & 0xFFu, b = (to >> shift) & 0xFFu,
                       p = (pixel >> shift) & 0xFFu;
        if (p < std::min(a, b) || p > std::max(a, b))
            return false;
    }
    return true;
}

// The face the font mapper actually draws `control`'s font with, and " bold".
std::string FaceOf(HWND control)
{
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    ReleaseDC(control, dc);
    return Narrow(face) + (metrics.tmWeight >= FW_BOLD ? " bold" : "");
}

} // namespace

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

Snapshot ExpectDrawnAsDescribed(HWND window, const forms::Window &table, int dpi)
{
    const std::vector<HWND> controls = ControlsOf(window, table);
    const Snapshot shot(window);
    std::vector<RECT> boxes{{0, 0, shot.width, shot.height}}; // the window's, then each control's
    for (std::size_t i = 0; i < controls.size(); ++i) {
        // Decoration is no window: it is where the table puts it.
        const forms::Pixels place = forms::PixelRect(table.controls[i].rect, dpi);
        boxes.push_back(controls[i] ? PlaceOf(controls[i])
                                    : RECT{place.left, place.top, place.left + place.width,
                                           place.top + place.height});
    }
    // The one control whose box holds (x, y): 0 for none, -1 for several.
    const auto owner = [&boxes](int x, int y) {
        int found = 0;
        for (std::size_t i = 1; i < boxes.size(); ++i)
            if (PtInRect(&boxes[i], POINT{x, y}))
                found = found == 0 ? static_cast<int>(i) : -1;
        return found;
    };
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        COLORREF from = ColourRef(table.background), to = from, also = from;
        std::string_view name = table.objectName;
        if (i > 0) {
            const forms::Control &row = table.controls[i - 1];
            const forms::Font &font = forms::ControlFont(table, row);
            const HWND control = controls[i - 1];
            name = row.objectName;
            if (row.kind == forms::Kind::Square) {
                from = to = also = ColourRef(*row.colour);
            } else if (row.kind == forms::Kind::Label) {
                to = ColourRef(*row.colour);
                // Its own face, or, at sizes it has no strike near, its outline companion.
                const std::string bold = font.bold ? " bold" : "", face = FaceOf(control);
                EXPECT_TRUE(
                    face == std::string(font.family) + bold ||
                    (!font.outline.empty() && (face == std::string(font.outline) + bold ||
                                               face == std::string(kOutlineStandIn) + bold)))
                    << name << ": " << face;
            } else if (row.kind == forms::Kind::Button) {
                // The focused one's ring inverts the face where it runs.
                from = ColourRef(*row.colour);
                to = RGB(0, 0, 0);
                also = GetFocus() == control ? from ^ 0xFFFFFFu : from;
            } else {
                continue;
            }
            EXPECT_TRUE(WindowText(control).empty() || shot.Count(boxes[i], to)) << name << " text";
            EXPECT_TRUE(row.kind == forms::Kind::Label || shot.Count(boxes[i], from)) << name;
        }
        int strays = 0;
        POINT first{};
        for (int y = boxes[i].top; y < boxes[i].bottom; ++y)
            for (int x = boxes[i].left; x < boxes[i].right; ++x)
                if (owner(x, y) == static_cast<int>(i) && !Between(shot.At(x, y), from, to) &&
                    shot.At(x, y) != also && strays++ == 0)
                    first = {x, y};
        EXPECT_EQ(strays, 0) << name << " holds " << std::hex << shot.At(first.x, first.y)
                             << " (BGR) at " << std::dec << first.x << ", " << first.y;
    }
    return shot;
}

} // namespace zorvane::win32::testing
