// SPDX-License-Identifier: MIT
// The fonts a window's controls are drawn in, each made once per size.
#pragma once

#include "forms/model.h"
#include "handles.h"

#include <string_view>
#include <vector>

namespace zorvane::win32 {

// Stands in for an outline companion the system maps to a face of other
// metrics (Wine has no "Microsoft Sans Serif" and draws DejaVu Sans, far
// wider); every Windows since 2000 has it, drawn from outlines.
inline constexpr std::string_view kOutlineStandIn = "Tahoma";

class FontCache {
public:
    // `family` with `font`'s weight at an em of `pixels`; owned by the cache.
    HFONT Get(const forms::Font &font, int pixels, std::string_view family = {});
    // The face `font` is drawn in at `dpi`: forms::FaceFor, told the size
    // GDI actually realises the family at when asked for the size wanted.
    forms::Face FaceAt(const forms::Font &font, int dpi);
    // The font the table gives `control` of `window`, at its own size at `dpi`.
    HFONT ForControl(const forms::Window &window, const forms::Control &control, int dpi);

private:
    struct Entry {
        std::string_view family;
        bool bold;
        int pixels;
        Font handle;
    };
    std::vector<Entry> fonts_;
};

} // namespace zorvane::win32
