// SPDX-License-Identifier: MIT
// Draws what a window's table says its controls look like, where the system
// does not: the background, the labels' colours, the buttons' faces and
// captions, the markers and the pictures.
#pragma once

#include "captions.h"
#include "forms/model.h"
#include "handles.h"
#include "pictures.h"

#include <vector>

namespace zorvane::win32 {

COLORREF ColourRef(forms::Rgb colour);

class Painter {
public:
    Painter() = default;
    // Makes the brushes and decodes the pictures of `table` at `dpi`; the
    // buttons' captions and fonts come from `captions`.
    Painter(const forms::Window &table, HINSTANCE module, int dpi, const Captions &captions);

    // What a window procedure does with a message its window does not
    // handle itself: the painting messages on behalf of the window and its
    // controls, the system's default for the rest.
    LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

    [[nodiscard]] SIZE PictureSize(int index) const;

private:
    struct Look {
        Brush face;        // a marker's fill or a button's face at rest
        Brush pressedFace; // a button's face while pressed
        Brush pressedEdge;
        DecodedPicture picture;
    };
    // The index of the control with identifier `id`, or forms::kNone.
    [[nodiscard]] int IndexOf(int id) const;
    [[nodiscard]] const forms::Control &Row(int index) const;
    // WM_ERASEBKGND: the window's own colour.
    void EraseBackground(HWND window, HDC dc) const;
    // WM_CTLCOLORSTATIC: a label shows the window's background in its own
    // text colour.
    [[nodiscard]] HBRUSH ColourStatic(HDC dc, HWND control) const;
    // WM_DRAWITEM: a button's face, a marker or a picture.
    void DrawItem(const DRAWITEMSTRUCT &draw) const;
    void DrawButton(int index, const DRAWITEMSTRUCT &draw) const;
    void DrawPicture(const DecodedPicture &picture, const DRAWITEMSTRUCT &draw) const;

    const forms::Window *table_ = nullptr;
    const Captions *captions_ = nullptr;
    int dpi_ = forms::kDefaultDpi;
    Brush background_;
    std::vector<Look> looks_; // indexed as the table
};

} // namespace zorvane::win32
