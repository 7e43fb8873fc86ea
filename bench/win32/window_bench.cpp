// SPDX-License-Identifier: MIT
// Times the Windows program's windows where a frame matters:
//   window_bench generate   Generate click to painted window, 32767 characters
//   window_bench startup    process start to a shown, painted main window
//   window_bench empty      the same for an empty window, as the yardstick
// Each prints one line of milliseconds (the median of the runs for generate)
// and the process's peak working set.
#include "forms/main_window.h"
#include "main_window.h"
#include "program.h"
#include "window.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using zorvane::forms::MainControl;
using zorvane::win32::MainWindow;

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds since this process was created.
double SinceProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME &time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

double PeakWorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Paints everything that is waiting to be painted, children included.
void PaintNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        zorvane::win32::Deliver(message);
    GdiFlush();
}

int Generate(HINSTANCE module)
{
    MainWindow form(module, 96);
    form.Show();
    PaintNow(form.Handle());
    const auto control = [&form](MainControl id) {
        return GetDlgItem(form.Handle(),
                          zorvane::win32::kFirstControlId + zorvane::forms::Index(id));
    };
    SetWindowTextW(control(MainControl::LengthField), L"32767");
    std::vector<double> runs;
    for (int run = 0; run < 21; ++run) {
        const double start = Now();
        SendMessageW(control(MainControl::GenerateButton), BM_CLICK, 0, 0);
        PaintNow(form.Handle());
        runs.push_back(Now() - start);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("generate 32767: median %.1f ms, fastest %.1f ms, slowest %.1f ms; "
                "peak working set %.1f MiB\n",
                runs[runs.size() / 2], runs.front(), runs.back(), PeakWorkingSetMiB());
    return 0;
}

LRESULT CALLBACK EmptyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

int Startup(HINSTANCE module, bool empty)
{
    double shown = 0;
    if (empty) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = EmptyProcedure;
        windowClass.hInstance = module;
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = L"EmptyWindow";
        RegisterClassExW(&windowClass);
        const HWND window =
            CreateWindowExW(0, L"EmptyWindow", L"Empty", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 262, 284, nullptr, nullptr, module, nullptr);
        ShowWindow(window, SW_SHOW);
        PaintNow(window);
        shown = SinceProcessStart();
        DestroyWindow(window);
    } else {
        const zorvane::win32::Session session(module);
        MainWindow form(module, zorvane::win32::SystemDpi());
        form.Show();
        PaintNow(form.Handle());
        shown = SinceProcessStart();
    }
    std::printf("%s: shown after %.1f ms; peak working set %.1f MiB\n",
                empty ? "empty window" : "main window", shown, PeakWorkingSetMiB());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (argc == 2 && std::strcmp(argv[1], "startup") == 0)
        return Startup(module, false);
    if (argc == 2 && std::strcmp(argv[1], "empty") == 0)
        return Startup(module, true);
    if (argc == 2 && std::strcmp(argv[1], "generate") == 0) {
        const zorvane::win32::Session session(module);
        return Generate(module);
    }
    std::fprintf(stderr, "usage: window_bench generate|startup|empty\n");
    return 2;
}
