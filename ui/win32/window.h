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

// Sizes `window` so that its client area is `width` x `height`, around a
// frame as the system draws it: at the window's own DPI where frames follow
// the monitor, at the system's elsewhere.
void FitFrame(HWND window, int width, int height);

// Sent when a window moves to a monitor of another DPI, or the user changes
// the scale; the headers for Windows 7 do not name it.
inline constexpr UINT kDpiChanged = 0x02E0; // WM_DPICHANGED

// The DPI `window` is drawn at where the system says (Windows 10 from its
// Anniversary Update on), else `fallback`.
int WindowDpi(HWND window, int fallback);

// Has Windows 10 before its Creators Update scale the frame and title of
// `window` with its monitor's DPI, as later versions do by themselves.
void ScaleFrameWithDpi(HWND window);

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
            ScaleFrameWithDpi(hwnd);
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
        // The procedure reads a Derived* back, so a Derived* goes in, wherever
        // this base sits within it.
        CreateWindowExW(0, className, Widen(table.title).c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, module,
                        static_cast<Derived *>(this));
        if (hwnd_)
            FitFrame(hwnd_, forms::TwipsToPixels(table.width, dpi),
                     forms::TwipsToPixels(table.height, dpi));
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
// sizes for `dpi`; the icons stay with their holders, which outlive the window.
void SetIcons(HWND window, HINSTANCE module, int id, int dpi, Icon &big, Icon &small);

// Takes the rectangle a WM_DPICHANGED message's `lParam` suggests for `window`.
void TakeSuggestedRect(HWND window, LPARAM lParam);

} // namespace zorvane::win32
