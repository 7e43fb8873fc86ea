// SPDX-License-Identifier: MIT
#include "window.h"

#include "libraries.h"

namespace zorvane::win32 {
namespace {

// A procedure of user32 newer than Windows 7, or null where it lacks it.
template <typename Procedure> Procedure User32(const char *name)
{
    return ProcedureAddress<Procedure>(GetModuleHandleW(L"user32.dll"), name);
}

int SystemMetric(int index, int dpi)
{
    // Windows 10 from its Anniversary Update on; earlier, the system's DPI.
    using ForDpi = int(WINAPI *)(int, UINT);
    static const auto forDpi = User32<ForDpi>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

Icon LoadSized(HINSTANCE module, int id, int dpi, int metricX, int metricY)
{
    return Icon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                              SystemMetric(metricX, dpi),
                                              SystemMetric(metricY, dpi), LR_DEFAULTCOLOR)));
}

} // namespace

void FitFrame(HWND window, int width, int height)
{
    // Both from Windows 10's Anniversary Update on.
    using DpiOf = UINT(WINAPI *)(HWND);
    using ForDpi = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);
    static const auto dpiOf = User32<DpiOf>("GetDpiForWindow");
    static const auto forDpi = User32<ForDpi>("AdjustWindowRectExForDpi");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT frame{0, 0, width, height};
    if (!dpiOf || !forDpi || !forDpi(&frame, style, FALSE, exStyle, dpiOf(window)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int WindowDpi(HWND window, int fallback)
{
    using DpiOf = UINT(WINAPI *)(HWND);
    static const auto dpiOf = User32<DpiOf>("GetDpiForWindow");
    const int dpi = dpiOf ? static_cast<int>(dpiOf(window)) : 0;
    return dpi > 0 ? dpi : fallback;
}

void ScaleFrameWithDpi(HWND window)
{
    using Enable = BOOL(WINAPI *)(HWND);
    static const auto enable = User32<Enable>("EnableNonClientDpiScaling");
    if (enable)
        enable(window);
}

void SetIcons(HWND window, HINSTANCE module, int id, int dpi, Icon &big, Icon &small)
{
    Icon newBig = LoadSized(module, id, dpi, SM_CXICON, SM_CYICON);
    Icon newSmall = LoadSized(module, id, dpi, SM_CXSMICON, SM_CYSMICON);
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig.Get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall.Get()));
    // The old ones go only once the window no longer shows them.
    big = std::move(newBig);
    small = std::move(newSmall);
}

void TakeSuggestedRect(HWND window, LPARAM lParam)
{
    const RECT &suggested = *reinterpret_cast<const RECT *>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnWorkArea(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return;
    RECT frame;
    GetWindowRect(window, &frame);
    const RECT &area = monitor.rcWork;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace zorvane::win32
