// SPDX-License-Identifier: MIT
// The About window's pictures, decoded by the operating system from the
// executable's resources.
#pragma once

#include "forms/model.h"
#include "handles.h"

namespace zorvane::win32 {

struct DecodedPicture {
    Bitmap bitmap; // 32-bit premultiplied BGRA, top-down; empty when decoding failed
    SIZE size{};   // in pixels
};

// Decodes the first frame of the RCDATA resource `id` with WIC, from the
// rendition drawn for the nearest scale at or above `dpi` / 96 (the next
// identifiers, IDR_RENDITION_STEP apart), or the largest there is. At 96
// dpi the picture keeps its natural size; at other DPIs it is scaled like the
// rest of the window, down from the sharper rendition where one is larger.
// COM must be initialised on the calling thread.
DecodedPicture LoadPicture(HINSTANCE module, int id, int dpi);

} // namespace zorvane::win32
