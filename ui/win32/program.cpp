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
    Form1::RegisterClass(module);
    Form2::RegisterClass(module);
}

Session::~Session()
{
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
