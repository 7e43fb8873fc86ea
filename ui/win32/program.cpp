// SPDX-License-Identifier: MIT
#include "program.h"

#include "form1.h"
#include "form2.h"

#include <commctrl.h>
#include <objbase.h>

namespace zorvane::win32 {

Session::Session(HINSTANCE module)
{
    comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The password field's class; loaded from the system folder only.
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length > 0 && length < MAX_PATH - 16) {
        lstrcatW(path, L"\\msftedit.dll");
        richEdit_ = LoadLibraryW(path);
    }
    Form1::RegisterClass(module);
    Form2::RegisterClass(module);
}

Session::~Session()
{
    if (richEdit_)
        FreeLibrary(richEdit_);
    if (comReady_)
        CoUninitialize();
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
