// SPDX-License-Identifier: MIT
#include "program.h"

#include "about_window.h"
#include "forms/main_window.h"
#include "handles.h"
#include "main_window.h"
#include "system_library.h"
#include "text.h"

#include <commctrl.h>
#include <ole2.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace zorvane::win32 {
namespace {

// What the user is told when `library` cannot be loaded.
std::wstring MissingLibraryText(std::wstring_view library)
{
    return Widen(forms::kApplicationTitle) + L" cannot start: the system library " +
           std::wstring(library) + L", which provides the password field, could not be loaded.";
}

// Runs until the program ends; returns its exit code.
int RunMessageLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        Deliver(message);
    return static_cast<int>(message.wParam);
}

} // namespace

void UseSystemLibrariesOnly()
{
    // Windows 7 has SetDefaultDllDirectories only with KB2533623, so it is
    // looked up rather than imported.
    const auto setDirectories = ProcedureAddress<BOOL(WINAPI *)(DWORD)>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDirectories || !setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        // At least not the current folder; the program's own folder stays in
        // the search, so the program names every library it loads by its full
        // path in the system folder.
        SetDllDirectoryW(L"");
}

Session::Session(HINSTANCE module, std::wstring_view richEdit)
{
    UseSystemLibrariesOnly();
    // OLE, not COM alone: the password field copies through OLE's clipboard,
    // which needs it (Microsoft's "OleInitialize function"). Under Wine a copy
    // works either way, so no test here can tell the two apart.
    comReady_ = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    richEdit_ = LoadSystemLibrary(richEdit);
    Window::Register(module, MainWindow::kClass);
    Window::Register(module, AboutWindow::kClass);
}

Session::~Session()
{
    // A copied password may still be on the clipboard as a data object of
    // the rich edit's, whose code lives in its library; OLE can call it until
    // it has shut down. So what the user copied is flushed to the clipboard,
    // to outlive the program, OLE shuts down, and the library is freed last
    // (Microsoft's "OleFlushClipboard function", "OleUninitialize function").
    if (comReady_) {
        OleFlushClipboard();
        OleUninitialize();
    }
    if (richEdit_)
        FreeLibrary(richEdit_);
}

int RunProgram(HINSTANCE module, std::wstring_view richEdit,
               const std::function<void(const std::wstring &)> &report)
{
    const Session session(module, richEdit);
    if (!session.Ready()) {
        const std::wstring text = MissingLibraryText(richEdit);
        if (report)
            report(text);
        else
            MessageBoxW(nullptr, text.c_str(), Widen(forms::kApplicationTitle).c_str(),
                        MB_OK | MB_ICONERROR);
        return 1;
    }
    MainWindow window(module, SystemDpi());
    // Where each monitor has its own scale, the window is drawn at its
    // monitor's, which need not be the system's.
    window.UseDpi(WindowDpi(window.Handle(), SystemDpi()));
    window.Show();
    return RunMessageLoop();
}

int SystemDpi()
{
    const int dpi = GetDeviceCaps(WindowDc(nullptr).Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

void Deliver(MSG &message)
{
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace zorvane::win32
