// SPDX-License-Identifier: MIT
// How much text a box of a picture holds, whatever toolkit drew it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace zorvane::testing {

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels; // 0xRRGGBB, row by row
};

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom excluded
};

struct Ink {
    double amount = 0;        // in pixels' worth of full ink
    int lines = 0;            // runs of rows with ink
    int left = 0, right = -1; // the columns ink reaches, first and last
};

// The ink of colour `ink` on `background` in `box`: each pixel counts as far
// as it has gone from the background towards the ink, so a smoothed edge
// counts in part.
inline Ink InkIn(const Image &image, const Box &box, std::uint32_t ink, std::uint32_t background)
{
    const auto off = [background](std::uint32_t c) {
        int sum = 0;
        for (const int shift : {0, 8, 16})
            sum += std::abs(int((c >> shift) & 0xFFu) - int((background >> shift) & 0xFFu));
        return sum;
    };
    Ink found{0, 0, box.right, box.left - 1};
    bool inLine = false;
    for (int y = box.top; y < box.bottom; ++y) {
        bool rowHasInk = false;
        for (int x = box.left; x < box.right; ++x) {
            const double c = std::min(
                1.0, double(off(image.pixels[static_cast<std::size_t>(y * image.width + x)])) /
                         off(ink));
            found.amount += c;
            if (c > 0.5) {
                rowHasInk = true;
                found.left = std::min(found.left, x);
                found.right = std::max(found.right, x);
            }
        }
        found.lines += rowHasInk && !inLine;
        inLine = rowHasInk;
    }
    return found;
}

} // namespace zorvane::testing
