// SPDX-License-Identifier: MIT
#include "fonts.h"

#include "text.h"

namespace zorvane::win32 {

HFONT FontCache::Get(const forms::Font &font, int pixels)
{
    for (const Entry &entry : fonts_)
        if (entry.pixels == pixels && entry.font.family == font.family &&
            entry.font.centipoints == font.centipoints && entry.font.bold == font.bold)
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
    const std::wstring family = Widen(font.family);
    family.copy(log.lfFaceName, LF_FACESIZE - 1);
    Font handle(CreateFontIndirectW(&log));
    const HFONT result = handle.Get();
    fonts_.push_back({font, pixels, std::move(handle)});
    return result;
}

HFONT FontCache::ForControl(const forms::Window &window, const forms::Control &control, int dpi)
{
    const forms::Font &font = forms::ControlFont(window, control);
    return Get(font, forms::FontPixels(font, dpi));
}

} // namespace zorvane::win32
