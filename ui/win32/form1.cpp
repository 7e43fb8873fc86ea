// SPDX-License-Identifier: MIT
#include "form1.h"

#include "generate.h"
#include "random_source.h"
#include "resource.h"
#include "wipe.h"

#include <commctrl.h>
#include <windowsx.h>

namespace zorvane::win32 {
namespace {

// A fixed frame with minimise and close boxes.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

bool AskToQuit(HWND owner)
{
    return MessageBoxW(owner, Widen(forms::kQuitQuestion).c_str(),
                       Widen(forms::kApplicationTitle).c_str(), MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

// The password field's own menu: Copy and Select All, as a read-only field
// offers. `where` is in screen coordinates, or -1 from the keyboard.
void ShowCopyMenu(HWND field, LPARAM where)
{
    enum : UINT { kCopy = 1, kSelectAll = 2 };
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        RECT area;
        GetClientRect(field, &area);
        at = {area.left, area.top};
        ClientToScreen(field, &at);
    }
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    HMENU menu = CreatePopupMenu();
    const auto grayedIf = [](bool condition) {
        return static_cast<UINT>(MF_STRING | (condition ? MF_GRAYED : MF_ENABLED));
    };
    AppendMenuW(menu, grayedIf(start == end), kCopy, L"&Copy");
    AppendMenuW(menu, grayedIf(GetWindowTextLengthW(field) == 0), kSelectAll, L"Select &All");
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, field, nullptr));
    DestroyMenu(menu);
    if (chosen == kCopy)
        SendMessageW(field, WM_COPY, 0, 0);
    else if (chosen == kSelectAll)
        SendMessageW(field, EM_SETSEL, 0, -1);
}

} // namespace

Form1::Form1(HINSTANCE module, int dpi)
    : module_(module), dpi_(dpi), source_(std::make_unique<SystemRandomSource>()),
      confirmQuit_(AskToQuit), endProgram_([](int exitCode) { PostQuitMessage(exitCode); })
{
    if (!Create(module, kClassName, forms::kForm1, kStyle, nullptr, dpi))
        return;
    contents_ = std::make_unique<Contents>(hwnd_, module, forms::kForm1, dpi);
    SetIcons(hwnd_, module, IDI_ZORVANE, bigIcon_, smallIcon_);
    SetWindowSubclass(Control("Text2"), &PasswordFieldProcedure, 0,
                      reinterpret_cast<DWORD_PTR>(this));
}

Form1::~Form1()
{
    form2_.reset();
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Form1::Show()
{
    ShowInFront();
    UpdateWindow(hwnd_);
}

void Form1::SetConfirmQuit(std::function<bool(HWND)> confirmQuit)
{
    confirmQuit_ = std::move(confirmQuit);
}

void Form1::SetEndProgram(std::function<void(int)> endProgram)
{
    endProgram_ = std::move(endProgram);
}

void Form1::SetRandomSource(std::unique_ptr<RandomSource> source)
{
    source_ = std::move(source);
}

HWND Form1::Control(std::string_view name) const
{
    return contents_ ? contents_->Find(name) : nullptr;
}

Form2 *Form1::AboutWindow() const
{
    return form2_ && form2_->Exists() ? form2_.get() : nullptr;
}

void Form1::Command1_Click()
{
    const GeneratedTexts texts =
        zorvane::GeneratePassword(Narrow(WindowText(Control("Text1"))), *source_);
    sourceFailed_ = texts.sourceFailed;
    // One write of the whole password: the field lays it out once, and keeps
    // its own copy; the wide one made for it is wiped at once.
    std::wstring password = Widen(texts.password);
    SetWindowTextW(Control("Text2"), password.c_str());
    SecureWipe(password.data(), password.capacity() * sizeof(wchar_t));
    SetWindowTextW(Control("Label3"), Widen(texts.figure).c_str());
    contents_->SetCaption(Control("Command1"), Widen(texts.caption));
}

void Form1::Command2_Click()
{
    if (confirmQuit_(hwnd_))
        EndProgram();
}

void Form1::Command3_Click()
{
    EnsureForm2().Show();
}

void Form1::Form_GotFocus()
{
    EnsureForm2().Hide();
}

Form2 &Form1::EnsureForm2()
{
    // A Form2 closed through its frame is gone; the next need makes a new one.
    if (!form2_ || !form2_->Exists())
        form2_ = std::make_unique<Form2>(module_, hwnd_, dpi_);
    return *form2_;
}

void Form1::EndProgram()
{
    // Every window closes, and no handler of either runs after this.
    form2_.reset();
    DestroyWindow(hwnd_);
    endProgram_(0);
}

void Form1::OnCommand(HWND, int id, HWND control, UINT code)
{
    const HWND button = contents_->PressedButton(id, control, code);
    if (!button)
        return;
    if (button == Control("Command1"))
        Command1_Click();
    else if (button == Control("Command2"))
        Command2_Click();
    else if (button == Control("Command3"))
        Command3_Click();
}

void Form1::OnActivate(HWND, UINT state, HWND, BOOL minimized)
{
    if (minimized)
        return;
    // With no control able to take it, the focus goes to the window itself.
    if (!contents_->Activate(state != WA_INACTIVE) && state != WA_INACTIVE)
        SetFocus(hwnd_);
}

void Form1::OnSetFocus(HWND, HWND)
{
    // The window itself keeps the focus only when none of its controls can.
    if (const HWND control = contents_->FocusTarget())
        SetFocus(control);
    else
        Form_GotFocus();
}

void Form1::OnClose(HWND)
{
    // Closing the main window always ends the program, even while the About
    // window exists: otherwise nothing could end it.
    EndProgram();
}

LRESULT CALLBACK Form1::PasswordFieldProcedure(HWND field, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // A multi-line field asks for every key, Tab included. Tab, Enter and
        // Esc go to the dialog manager instead: Tab moves on, Enter presses
        // no button here, and Esc starts nothing.
        LRESULT code = DefSubclassProc(field, message, wParam, lParam);
        const auto *key = reinterpret_cast<const MSG *>(lParam);
        if (key && key->message == WM_KEYDOWN &&
            (key->wParam == VK_TAB || key->wParam == VK_RETURN || key->wParam == VK_ESCAPE))
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return code;
    }
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        // An empty field after a failed request says why, in grey.
        const auto *form = reinterpret_cast<const Form1 *>(self);
        if (form->sourceFailed_ && GetWindowTextLengthW(field) == 0) {
            RECT area;
            SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
            HDC dc = GetDC(field);
            const HGDIOBJ original =
                SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            const std::wstring cue = Widen(forms::kSourceFailedText);
            DrawTextW(dc, cue.c_str(), static_cast<int>(cue.size()), &area,
                      DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
            SelectObject(dc, original);
            ReleaseDC(field, dc);
        }
        return result;
    }
    case WM_CONTEXTMENU:
        ShowCopyMenu(field, lParam);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, &PasswordFieldProcedure, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

LRESULT Form1::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!contents_)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(hwnd, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(hwnd, WM_CLOSE, OnClose);
    default:
        return contents_->DefaultProcedure(hwnd, message, wParam, lParam);
    }
}

} // namespace zorvane::win32
