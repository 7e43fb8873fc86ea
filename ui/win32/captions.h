// SPDX-License-Identifier: MIT
// The captions on a window's buttons, each fitted to its button by the
// model's rule and measured as the button draws it.
#pragma once

#include "fonts.h"
#include "forms/model.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::win32 {

class Captions {
public:
    Captions() = default;
    // Gives every button of `table` its caption from the table; `controls`
    // are the window's controls, indexed as the table.
    Captions(const forms::Window &table, std::span<const HWND> controls, FontCache &fonts, int dpi);

    // What the button at `index` shows, at the size that fits. Its window
    // text stays the accessible name where the table fixes one, and follows
    // the caption otherwise.
    void Set(int index, std::wstring_view caption);
    // Fits every caption again, as it reads now, for a window moved to `dpi`.
    void Rescale(int dpi);
    [[nodiscard]] const std::wstring &Caption(int index) const
    {
        return faces_.at(Slot(index)).caption;
    }
    [[nodiscard]] HFONT Font(int index) const { return faces_.at(Slot(index)).font; }

private:
    struct Face {
        std::wstring caption;
        HFONT font = nullptr; // owned by the font cache
    };
    [[nodiscard]] static std::size_t Slot(int index) { return static_cast<std::size_t>(index); }

    const forms::Window *table_ = nullptr;
    std::vector<HWND> controls_;
    FontCache *fonts_ = nullptr;
    int dpi_ = forms::kDefaultDpi;
    std::vector<Face> faces_; // indexed as the table; empty but for buttons
};

// The font `caption` is drawn in on `button`, `width` pixels wide: `font` at
// the size forms::CaptionPixels picks from the face `font` is drawn in at
// `dpi`, measured with `button`'s own DC.
HFONT FitCaption(HWND button, int width, std::wstring_view caption, const forms::Font &font,
                 FontCache &fonts, int dpi);

} // namespace zorvane::win32
