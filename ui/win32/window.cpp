// SPDX-License-Identifier: MIT
#include "window.h"

namespace zorvane::win32 {
namespace {

Icon LoadSized(HINSTANCE module, int id, int metricX, int metricY)
{
    return Icon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                              GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                              LR_DEFAULTCOLOR)));
}

} // namespace

SIZE FrameSize(DWORD style, DWORD exStyle, int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void SetIcons(HWND window, HINSTANCE module, int id, Icon &big, Icon &small)
{
    big = LoadSized(module, id, SM_CXICON, SM_CYICON);
    small = LoadSized(module, id, SM_CXSMICON, SM_CYSMICON);
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
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
