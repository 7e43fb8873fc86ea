// SPDX-License-Identifier: MIT
#include "form2.h"

#include "resource.h"

#include <windowsx.h>

namespace zorvane::win32 {
namespace {

// A fixed frame with a close box only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

} // namespace

Form2::Form2(HINSTANCE module, HWND owner, int dpi)
{
    if (!Create(module, kClassName, forms::kForm2, kStyle, owner, dpi))
        return;
    contents_ = std::make_unique<Contents>(hwnd_, module, forms::kForm2, dpi);
    SetIcons(hwnd_, module, IDI_ABOUT, bigIcon_, smallIcon_);
}

Form2::~Form2()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Form2::Show()
{
    ShowInFront();
}

void Form2::Hide()
{
    ShowWindow(hwnd_, SW_HIDE);
}

bool Form2::IsShown() const
{
    return hwnd_ && IsWindowVisible(hwnd_);
}

HWND Form2::Control(std::string_view name) const
{
    return contents_ ? contents_->Find(name) : nullptr;
}

void Form2::Command1_Click()
{
    Hide();
}

void Form2::OnCommand(HWND, int id, HWND control, UINT code)
{
    const HWND button = contents_->PressedButton(id, control, code);
    if (button && button == Control("Command1"))
        Command1_Click();
}

void Form2::OnActivate(HWND, UINT state, HWND, BOOL minimized)
{
    if (!minimized)
        contents_->Activate(state != WA_INACTIVE);
}

LRESULT Form2::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!contents_)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
    default:
        return contents_->DefaultProcedure(hwnd, message, wParam, lParam);
    }
}

} // namespace zorvane::win32
