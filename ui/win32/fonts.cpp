// SPDX-License-Identifier: MIT
#include "fonts.h"

#include "text.h"

#include <array>

namespace zorvane::win32 {
namespace {

struct Realised {
    std::wstring face;
    int em = 0; // the cell less its internal leading: what a negative height asks for
};

Realised Realise(HFONT font)
{
    const WindowDc dc(nullptr);
    HDC screen = dc.Get();
    const HGDIOBJ original = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    std::array<wchar_t, LF_FACESIZE> face{};
    GetTextFaceW(screen, LF_FACESIZE, face.data());
    SelectObject(screen, original);
    return {face.data(), static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading)};
}

} // namespace

HFONT FontCache::Get(const forms::Font &font, int pixels, std::string_view family)
{
    if (family.empty())
        family = font.family;
    for (const Entry &entry : fonts_)
        if (entry.pixels == pixels && entry.family == family && entry.bold == font.bold)
            return entry.handle.Get();
    LOGFONTW log{};
    log.lfHeight = -pixels;
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    // The default set keeps the named faces: asking for a particular set puts
    // it before the face name, and "MS Sans Serif", which has few sets, would
    // be swapped for whatever face has it.
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    const std::wstring name = Widen(family);
    name.copy(log.lfFaceName, LF_FACESIZE - 1);
    Font handle(CreateFontIndirectW(&log));
    const HFONT result = handle.Get();
    fonts_.push_back({family, font.bold, pixels, std::move(handle)});
    return result;
}

forms::Face FontCache::FaceAt(const forms::Font &font, int dpi)
{
    // A raster face comes in the nearest size it holds, an outline face in
    // the size asked for: either way, what GDI realised is the one size to
    // judge the family by.
    const int wanted = forms::FontPixels(font, dpi);
    const std::array strikes{Realise(Get(font, wanted)).em};
    forms::Face face = forms::FaceFor(font, dpi, strikes);
    if (face.family != font.family &&
        Realise(Get(font, face.pixels, face.family)).face != Widen(face.family))
        face.family = kOutlineStandIn;
    return face;
}

HFONT FontCache::ForControl(const forms::Window &window, const forms::Control &control, int dpi)
{
    const forms::Font &font = forms::ControlFont(window, control);
    const forms::Face face = FaceAt(font, dpi);
    return Get(font, face.pixels, face.family);
}

} // namespace zorvane::win32
