// SPDX-License-Identifier: MIT
#include "program.h"

#include "about_window.h"
#include "forms/main_window.h"
#include "main_window.h"
#include "text.h"

#include <commctrl.h>
#include <objbase.h>

namespace zorvane::win32 {

void UseSystemLibrariesOnly()
{
    // Windows 7 has SetDefaultDllDirectories only with KB2533623, so it is
    // looked up rather than imported.
    using SetDirectories = BOOL(WINAPI *)(DWORD);
    const auto setDirectories = reinterpret_cast<SetDirectories>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDirectories || !setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        // At least not the current folder; the program's own folder stays in
        // the search, so the program names every library it loads by its full
        // path in the system folder.
        SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(std::wstring_view name)
{
    const std::wstring library(name);
    HMODULE module = LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    // The flag is unknown without KB2533623: the full path instead.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + library;
    return LoadLibraryW(path.c_str());
}

Session::Session(HINSTANCE module, std::wstring_view richEdit)
{
    UseSystemLibrariesOnly();
    comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    richEdit_ = LoadSystemLibrary(richEdit);
    MainWindow::RegisterClass(module);
    AboutWindow::RegisterClass(module);
}

Session::~Session()
{
    // A copied password may still be on the clipboard as a data object of
    // the rich edit's, whose code lives in its library; OLE can call it until
    // it has shut down ("OleFlushClipboard function", "CoUninitialize
    // function"). So the library is freed last.
    if (comReady_)
        CoUninitialize();
    if (richEdit_)
        FreeLibrary(richEdit_);
}

std::wstring MissingLibraryText(std::wstring_view library)
{
    return Widen(forms::kApplicationTitle) + L" cannot start: the system library " +
           std::wstring(library) + L", which provides the password field, could not be loaded.";
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
    window.Show();
    return RunMessageLoop();
}

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
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

int RunMessageLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        Deliver(message);
    return static_cast<int>(message.wParam);
}

} // namespace zorvane::win32
