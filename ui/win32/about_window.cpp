// SPDX-License-Identifier: MIT
#include "about_window.h"

#include "forms/about_window.h"
#include "resource.h"

namespace zorvane::win32 {

// A fixed frame with a close box only.
const WindowClass AboutWindow::kClass{
    L"ZorvaneAboutWindow", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, IDI_ABOUT};

AboutWindow::AboutWindow(HINSTANCE module, HWND owner, int dpi)
    : Window(module, forms::kAboutWindow, kClass, owner, dpi)
{}

void AboutWindow::Hide()
{
    ShowWindow(Handle(), SW_HIDE);
}

void AboutWindow::OnCommand(int index)
{
    // Back is this window's only action.
    if (static_cast<forms::AboutControl>(index) == forms::AboutControl::BackButton)
        OnBack();
}

void AboutWindow::OnBack()
{
    Hide();
}

} // namespace zorvane::win32
