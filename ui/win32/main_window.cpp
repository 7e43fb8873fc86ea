// SPDX-License-Identifier: MIT
#include "main_window.h"

#include "builder.h"
#include "clipboard.h"
#include "commands.h"
#include "generate.h"
#include "password_field.h"
#include "random_source.h"
#include "resource.h"
#include "text.h"

#include <windowsx.h>

namespace zorvane::win32 {
namespace {

using enum forms::MainControl;
using forms::kMainWindow;

// A fixed frame with minimise and close boxes.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

bool AskToQuit(HWND owner)
{
    return MessageBoxW(owner, Widen(forms::kQuitQuestion).c_str(),
                       Widen(forms::kApplicationTitle).c_str(), MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

} // namespace

MainWindow::MainWindow(HINSTANCE module, int dpi)
    : module_(module), dpi_(dpi), source_(std::make_unique<SystemRandomSource>()),
      confirmQuit_(AskToQuit), endProgram_([](int exitCode) { PostQuitMessage(exitCode); })
{
    if (!Create(module, kClassName, kMainWindow, kStyle, nullptr, dpi))
        return;
    controls_ = BuildControls(hwnd_, module, kMainWindow, dpi, fonts_);
    captions_ = Captions(kMainWindow, controls_, fonts_, dpi);
    painter_ = Painter(kMainWindow, module, dpi, captions_);
    focus_ = FocusKeeper(TabOrder(kMainWindow, controls_));
    SetIcons(hwnd_, module, IDI_ZORVANE, dpi, bigIcon_, smallIcon_);
    AttachPasswordField(Control(PasswordField), sourceFailed_);
    KeepCopiesPrivate(Control(PasswordField));
}

MainWindow::~MainWindow()
{
    about_.reset();
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void MainWindow::Show()
{
    ShowInFront();
    UpdateWindow(hwnd_);
}

void MainWindow::SetConfirmQuit(std::function<bool(HWND)> confirmQuit)
{
    confirmQuit_ = std::move(confirmQuit);
}

void MainWindow::SetEndProgram(std::function<void(int)> endProgram)
{
    endProgram_ = std::move(endProgram);
}

void MainWindow::SetRandomSource(std::unique_ptr<RandomSource> source)
{
    source_ = std::move(source);
}

HWND MainWindow::Control(forms::MainControl id) const
{
    return controls_.at(static_cast<std::size_t>(forms::Index(id)));
}

AboutWindow *MainWindow::About() const
{
    return about_ && about_->Exists() ? about_.get() : nullptr;
}

void MainWindow::OnCommand(HWND hwnd, int id, HWND control, UINT code)
{
    const auto pressed = PressedControl<forms::MainControl>(kMainWindow, hwnd, id, control, code);
    switch (pressed ? forms::Row(*pressed).action : forms::Action::None) {
    case forms::Action::Generate:
        OnGenerate();
        break;
    case forms::Action::Exit:
        OnExit();
        break;
    case forms::Action::About:
        OnAbout();
        break;
    default:
        break;
    }
}

void MainWindow::OnGenerate()
{
    const GeneratedTexts texts =
        zorvane::GeneratePassword(Narrow(WindowText(Control(LengthField))), *source_);
    sourceFailed_ = texts.sourceFailed;
    // One write of the whole password: the field lays it out once.
    std::wstring password = Widen(texts.password);
    SetWindowTextAndWipe(Control(PasswordField), password);
    SetWindowTextW(Control(Figure), Widen(texts.figure).c_str());
    captions_.Set(forms::Index(GenerateButton), Widen(forms::kAnotherOneCaption));
}

void MainWindow::OnExit()
{
    if (confirmQuit_(hwnd_))
        EndProgram();
}

void MainWindow::OnAbout()
{
    EnsureAboutWindow().Show();
}

void MainWindow::OnGotFocus()
{
    EnsureAboutWindow().Hide();
}

AboutWindow &MainWindow::EnsureAboutWindow()
{
    // An About window closed through its frame is gone; the next need makes
    // a new one.
    if (!About())
        about_ = std::make_unique<AboutWindow>(module_, hwnd_, dpi_);
    return *about_;
}

void MainWindow::EndProgram()
{
    // Every window closes, and no handler of either runs after this.
    about_.reset();
    DestroyWindow(hwnd_);
    endProgram_(0);
}

void MainWindow::OnActivate(HWND, UINT state, HWND, BOOL minimized)
{
    if (minimized)
        return;
    // With no control able to take it, the focus goes to the window itself.
    if (!focus_.Activate(state != WA_INACTIVE) && state != WA_INACTIVE)
        SetFocus(hwnd_);
}

void MainWindow::OnSetFocus(HWND, HWND)
{
    // The window itself keeps the focus only when none of its controls can.
    if (const HWND control = focus_.Target())
        SetFocus(control);
    else
        OnGotFocus();
}

void MainWindow::OnClose(HWND)
{
    // Closing the main window always ends the program, even while the About
    // window exists: otherwise nothing could end it.
    EndProgram();
}

void MainWindow::UseDpi(int dpi)
{
    if (dpi == dpi_)
        return;
    Relayout(dpi);
    FitFrame(hwnd_, forms::TwipsToPixels(kMainWindow.width, dpi),
             forms::TwipsToPixels(kMainWindow.height, dpi));
}

void MainWindow::OnDpiChanged(int dpi, LPARAM suggested)
{
    Relayout(dpi);
    TakeSuggestedRect(hwnd_, suggested);
}

void MainWindow::Relayout(int dpi)
{
    dpi_ = dpi;
    PlaceControls(kMainWindow, controls_, dpi, fonts_);
    captions_.Rescale(dpi);
    painter_ = Painter(kMainWindow, module_, dpi, captions_);
    SetIcons(hwnd_, module_, IDI_ZORVANE, dpi, bigIcon_, smallIcon_);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT MainWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (controls_.empty())
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case kDpiChanged:
        OnDpiChanged(LOWORD(wParam), lParam);
        return 0;
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(hwnd, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(hwnd, WM_CLOSE, OnClose);
    default:
        return painter_.DefaultProcedure(hwnd, message, wParam, lParam);
    }
}

} // namespace zorvane::win32
