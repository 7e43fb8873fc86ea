// SPDX-License-Identifier: MIT
#include "main_window.h"

#include "announcer.h"
#include "forms/announcement.h"
#include "forms/main_window.h"
#include "generate.h"
#include "password_field.h"
#include "random_source.h"
#include "resource.h"
#include "text.h"

namespace zorvane::win32 {
namespace {

using enum forms::MainControl;

bool AskToQuit(HWND owner)
{
    return MessageBoxW(owner, Widen(forms::kQuitQuestion).c_str(),
                       Widen(forms::kApplicationTitle).c_str(), MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

} // namespace

// A fixed frame with minimise and close boxes.
const WindowClass MainWindow::kClass{
    L"ZorvaneMainWindow",
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, IDI_ZORVANE};

MainWindow::MainWindow(HINSTANCE module, int dpi)
    : Window(module, forms::kMainWindow, kClass, nullptr, dpi),
      source_(std::make_unique<SystemRandomSource>()), confirmQuit_(AskToQuit),
      endProgram_([](int exitCode) { PostQuitMessage(exitCode); })
{
    if (Exists()) {
        AttachPasswordField(Control(PasswordField));
        announcer_ = MakeSystemAnnouncer(Handle());
    }
}

MainWindow::~MainWindow()
{
    about_.reset();
    Destroy();
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

void MainWindow::SetAnnouncer(std::unique_ptr<Announcer> announcer)
{
    announcer_ = std::move(announcer);
}

void MainWindow::OnCommand(int index)
{
    switch (static_cast<forms::MainControl>(index)) {
    case GenerateButton:
        OnGenerate();
        break;
    case ExitButton:
        OnExit();
        break;
    case AboutButton:
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
    // One write of the whole password: the field lays it out once.
    std::wstring password = Widen(texts.password);
    ShowPassword(Control(PasswordField), password, texts.sourceFailed);
    SetWindowTextW(Control(Figure), Widen(texts.figure).c_str());
    SetCaption(forms::Index(GenerateButton), Widen(forms::kAnotherOneCaption));
    // Heard without the focus moving from Generate; never the password.
    if (announcer_)
        announcer_->Announce(
            forms::AnnouncementAfter(texts.password.size(), texts.figure, texts.sourceFailed));
}

void MainWindow::OnExit()
{
    if (confirmQuit_(Handle()))
        EndProgram();
}

void MainWindow::OnAbout()
{
    EnsureAboutWindow().Show();
}

void MainWindow::OnWindowFocused()
{
    EnsureAboutWindow().Hide();
}

void MainWindow::OnClose()
{
    EndProgram();
}

AboutWindow &MainWindow::EnsureAboutWindow()
{
    // An About window closed through its frame is gone; the next need makes
    // a new one.
    if (!about_ || !about_->Exists())
        about_ = std::make_unique<AboutWindow>(Module(), Handle(), Dpi());
    return *about_;
}

void MainWindow::EndProgram()
{
    // Every window closes, and no handler of either runs after this.
    about_.reset();
    Destroy();
    endProgram_(0);
}

} // namespace zorvane::win32
