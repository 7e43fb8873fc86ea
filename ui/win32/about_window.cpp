// SPDX-License-Identifier: MIT
#include "about_window.h"

#include "builder.h"
#include "commands.h"
#include "resource.h"

#include <windowsx.h>

namespace zorvane::win32 {
namespace {

using forms::kAboutWindow;

// A fixed frame with a close box only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

} // namespace

AboutWindow::AboutWindow(HINSTANCE module, HWND owner, int dpi) : module_(module), dpi_(dpi)
{
    if (!Create(module, kClassName, kAboutWindow, kStyle, owner, dpi))
        return;
    controls_ = BuildControls(hwnd_, module, kAboutWindow, dpi, fonts_);
    captions_ = Captions(kAboutWindow, controls_, fonts_, dpi);
    painter_ = Painter(kAboutWindow, module, dpi, captions_);
    focus_ = FocusKeeper(TabOrder(kAboutWindow, controls_));
    SetIcons(hwnd_, module, IDI_ABOUT, dpi, bigIcon_, smallIcon_);
}

AboutWindow::~AboutWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void AboutWindow::Show()
{
    ShowInFront();
}

void AboutWindow::Hide()
{
    ShowWindow(hwnd_, SW_HIDE);
}

bool AboutWindow::IsShown() const
{
    return hwnd_ && IsWindowVisible(hwnd_);
}

HWND AboutWindow::Control(forms::AboutControl id) const
{
    return controls_.at(static_cast<std::size_t>(forms::Index(id)));
}

void AboutWindow::OnBack()
{
    Hide();
}

void AboutWindow::OnCommand(HWND hwnd, int id, HWND control, UINT code)
{
    // Back is this window's only action.
    const auto pressed = PressedControl<forms::AboutControl>(kAboutWindow, hwnd, id, control, code);
    if (pressed && forms::Row(*pressed).action == forms::Action::Back)
        OnBack();
}

void AboutWindow::OnActivate(HWND, UINT state, HWND, BOOL minimized)
{
    if (!minimized)
        focus_.Activate(state != WA_INACTIVE);
}

void AboutWindow::OnDpiChanged(int dpi, LPARAM suggested)
{
    dpi_ = dpi;
    PlaceControls(kAboutWindow, controls_, dpi, fonts_);
    captions_.Rescale(dpi);
    painter_ = Painter(kAboutWindow, module_, dpi, captions_);
    SetIcons(hwnd_, module_, IDI_ABOUT, dpi, bigIcon_, smallIcon_);
    TakeSuggestedRect(hwnd_, suggested);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT AboutWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (controls_.empty())
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case kDpiChanged:
        OnDpiChanged(LOWORD(wParam), lParam);
        return 0;
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
    default:
        return painter_.DefaultProcedure(hwnd, message, wParam, lParam);
    }
}

} // namespace zorvane::win32
