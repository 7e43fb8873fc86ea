// SPDX-License-Identifier: MIT
// The shared frame of both windows: a class whose object is found again from
// its window handle, and the placing of a top-level window.
#pragma once

#include "forms/model.h"
#include "handles.h"
#include "text.h"

namespace zorvane::win32 {

// Moves `window` so that its frame sits in the middle of its monitor's work area.
void CentreOnWorkArea(HWND window);

// The outer size of a window with `style` whose client area is `width` x `height`.
SIZE FrameSize(DWORD style, DWORD exStyle, int width, int height);

// Keeps `this` with the window from WM_NCCREATE on, and forwards every later
// message to Derived::HandleMessage. The handle is cleared once the window is
// gone, so an object can tell whether its window still exists.
template <typename Derived> class Window {
public:
    [[nodiscard]] HWND Handle() const { return hwnd_; }
    [[nodiscard]] bool Exists() const { return hwnd_ != nullptr; }

protected:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Derived *self = nullptr;
        if (message == WM_NCCREATE) {
            const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
            self = static_cast<Derived *>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return self->HandleMessage(hwnd, message, wParam, lParam);
    }

    // Creates the window `table` describes, with a client area of the
    // table's size at `dpi`, owned by `owner` if given. False on failure.
    bool Create(HINSTANCE module, const wchar_t *className, const forms::Window &table, DWORD style,
                HWND owner, int dpi)
    {
        const SIZE frame = FrameSize(style, 0, forms::TwipsToPixels(table.width, dpi),
                                     forms::TwipsToPixels(table.height, dpi));
        // The procedure reads a Derived* back, so a Derived* goes in, wherever
        // this base sits within it.
        CreateWindowExW(0, className, Widen(table.title).c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, frame.cx, frame.cy, owner, nullptr, module,
                        static_cast<Derived *>(this));
        return hwnd_ != nullptr;
    }

    // Shows the window in front, centred on its work area the first time.
    void ShowInFront()
    {
        if (!placed_) {
            placed_ = true;
            CentreOnWorkArea(hwnd_);
            // A window that is not a dialog box starts with its focus rings
            // shown. Told to start from the last input, it hides them after
            // a click until a key is used, as a dialog box does
            // ("WM_CHANGEUISTATE message").
            SendMessageW(hwnd_, WM_CHANGEUISTATE,
                         MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
        }
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    }

    static void Register(HINSTANCE module, const wchar_t *className)
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = module;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }

    HWND hwnd_ = nullptr;

private:
    bool placed_ = false;
};

// Gives `window` the icon resource `id` at the system's large and small icon
// sizes; the icons stay with their holders, which outlive the window.
void SetIcons(HWND window, HINSTANCE module, int id, Icon &big, Icon &small);

} // namespace zorvane::win32
