// SPDX-License-Identifier: MIT
#include "captions.h"

#include "text.h"

namespace zorvane::win32 {

HFONT FitCaption(HWND button, int width, std::wstring_view caption, const forms::Font &font,
                 FontCache &fonts, int dpi)
{
    HDC dc = GetDC(button);
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    const forms::Face face = fonts.FaceAt(font, dpi);
    const auto widthAt = [&](int pixels) {
        SelectObject(dc, fonts.Get(font, pixels, face.family));
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.data(), static_cast<int>(caption.size()), &extent);
        return static_cast<int>(extent.cx);
    };
    const int pixels = forms::CaptionPixels(face.pixels, width, dpi, widthAt);
    SelectObject(dc, original);
    ReleaseDC(button, dc);
    return fonts.Get(font, pixels, face.family);
}

Captions::Captions(const forms::Window &table, std::span<const HWND> controls, FontCache &fonts,
                   int dpi)
    : table_(&table), controls_(controls.begin(), controls.end()), fonts_(&fonts), dpi_(dpi),
      faces_(table.controls.size())
{
    for (std::size_t i = 0; i < table.controls.size(); ++i)
        if (table.controls[i].kind == forms::Kind::Button)
            Set(static_cast<int>(i), Widen(table.controls[i].text));
}

void Captions::Rescale(int dpi)
{
    dpi_ = dpi;
    for (std::size_t i = 0; i < faces_.size(); ++i)
        if (table_->controls[i].kind == forms::Kind::Button)
            Set(static_cast<int>(i), std::wstring(faces_[i].caption));
}

void Captions::Set(int index, std::wstring_view caption)
{
    const forms::Control &row = table_->controls[Slot(index)];
    const HWND button = controls_[Slot(index)];
    Face &face = faces_[Slot(index)];
    face.caption = caption;
    face.font = FitCaption(button, forms::PixelRect(row.rect, dpi_).width, face.caption,
                           forms::ControlFont(*table_, row), *fonts_, dpi_);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(face.font), FALSE);
    if (forms::FixedAccessibleName(*table_, row).empty())
        SetWindowTextW(button, face.caption.c_str());
    InvalidateRect(button, nullptr, TRUE);
}

} // namespace zorvane::win32
