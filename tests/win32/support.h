// SPDX-License-Identifier: MIT
// Helpers the window tests share: driving the real message loop, and reading
// back what the windows drew.
#pragma once

#include "contents.h"
#include "form1.h"
#include "handles.h"
#include "program.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace zorvane::win32::testing {

// Handles every waiting message as the program's loop would.
inline void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        Deliver(message);
}

// The flags a released key carries: previous state down, transition up.
inline constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);

// Presses and releases `key` on the focused control, through the message loop
// and its dialog manager.
inline void PressKey(int key)
{
    PostMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    Pump();
    PostMessageW(GetFocus(), WM_KEYUP, static_cast<WPARAM>(key), kKeyUp);
    Pump();
}

inline void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
}

// A control's rectangle in its parent's client coordinates.
inline RECT PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// The face the font mapper actually draws `control`'s font with.
inline std::string FaceOf(HWND control)
{
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    ReleaseDC(control, dc);
    return Narrow(face);
}

// How many pixels of `area` in `window`'s client area are drawn in `colour`,
// counting up to `enough`. The window and its controls are redrawn first.
inline int Count(HWND window, const RECT &area, COLORREF colour, int enough = INT_MAX)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = area.top; y < area.bottom && count < enough; ++y)
        for (int x = area.left; x < area.right && count < enough; ++x)
            count += GetPixel(dc, x, y) == colour;
    ReleaseDC(window, dc);
    return count;
}

inline bool Has(HWND window, const RECT &area, COLORREF colour)
{
    return Count(window, area, colour, 1) > 0;
}

// Checks the drawn window against its table: the background, each coloured
// control that draws something, and the face each label is drawn in.
inline void ExpectDrawnAsDescribed(HWND window, const Contents &contents,
                                   const forms::Window &table)
{
    RECT corner;
    GetClientRect(window, &corner);
    corner = {corner.right - 2, corner.bottom - 2, corner.right - 1, corner.bottom - 1};
    EXPECT_TRUE(Has(window, corner, ColourRef(table.background)));
    for (const forms::Control &row : table.controls) {
        const HWND control = contents.Find(row.name);
        const bool label = row.kind == forms::Kind::Label;
        if (row.colour && !(label && row.text.empty())) {
            EXPECT_TRUE(Has(window, PlaceOf(control), ColourRef(*row.colour))) << row.name;
        }
        if (label) {
            EXPECT_EQ(FaceOf(control), forms::ControlFont(table, row).family) << row.name;
        }
    }
}

inline std::string Text(HWND control)
{
    return Narrow(WindowText(control));
}

// The main window, shown, with the program's ending recorded, not carried out.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { Open(96); }
    void Open(int dpi)
    {
        form_.reset();
        form_ = std::make_unique<Form1>(GetModuleHandleW(nullptr), dpi);
        ASSERT_TRUE(form_->Exists());
        form_->SetEndProgram([this](int exitCode) { endedWith_.push_back(exitCode); });
        form_->Show();
        Pump();
    }
    HWND Control(const char *name) const { return form_->Control(name); }
    void Generate(const wchar_t *length)
    {
        SetWindowTextW(Control("Text1"), length);
        Click(Control("Command1"));
    }
    // The About window, shown by its button.
    Form2 &About()
    {
        Click(Control("Command3"));
        return *form_->AboutWindow();
    }

    std::unique_ptr<Form1> form_;
    std::vector<int> endedWith_; // one exit code per ending of the program
};

} // namespace zorvane::win32::testing
