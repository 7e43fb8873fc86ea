// SPDX-License-Identifier: MIT
// The fonts a window's controls are drawn in, each made once per size.
#pragma once

#include "forms/model.h"
#include "handles.h"

#include <vector>

namespace zorvane::win32 {

class FontCache {
public:
    // `font` at a height of `pixels`; owned by the cache.
    HFONT Get(const forms::Font &font, int pixels);
    // The font the table gives `control` of `window`, at its own size at `dpi`.
    HFONT ForControl(const forms::Window &window, const forms::Control &control, int dpi);

private:
    struct Entry {
        forms::Font font;
        int pixels;
        Font handle;
    };
    std::vector<Entry> fonts_;
};

} // namespace zorvane::win32
