// SPDX-License-Identifier: MIT
// The main window: the length field, Generate, the password and its figure.
#pragma once

#include "contents.h"
#include "form2.h"
#include "window.h"

#include <functional>
#include <memory>

namespace zorvane {
class RandomSource;
}

namespace zorvane::win32 {

class Form1 final : public Window<Form1> {
public:
    static constexpr const wchar_t *kClassName = L"ZorvaneForm1";
    static void RegisterClass(HINSTANCE module) { Register(module, kClassName); }

    // Creates the window, hidden, with its controls sized for `dpi`.
    Form1(HINSTANCE module, int dpi);
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;
    ~Form1();

    // Shows the window centred on the screen, with the focus in Text1.
    void Show();

    // Asks whether to quit; by default the exit confirmation box, owned by
    // `owner`. Tests answer it themselves.
    void SetConfirmQuit(std::function<bool(HWND owner)> confirmQuit);
    // How the program ends once its windows are gone; by default the message
    // loop ends with `exitCode`. Tests replace it so that they survive.
    void SetEndProgram(std::function<void(int exitCode)> endProgram);
    // Where passwords come from; the operating system's source by default.
    void SetRandomSource(std::unique_ptr<RandomSource> source);

    [[nodiscard]] HWND Control(std::string_view name) const;
    [[nodiscard]] const Contents &contents() const { return *contents_; }
    // The About window, while it exists.
    [[nodiscard]] Form2 *AboutWindow() const;

private:
    friend class Window<Form1>;
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
    void OnSetFocus(HWND hwnd, HWND previous);
    void OnClose(HWND hwnd);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_GotFocus();

    Form2 &EnsureForm2();
    void EndProgram();
    static LRESULT CALLBACK PasswordFieldProcedure(HWND field, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR id, DWORD_PTR self);

    HINSTANCE module_;
    int dpi_;
    std::unique_ptr<Contents> contents_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<RandomSource> source_;
    std::function<bool(HWND)> confirmQuit_;
    std::function<void(int)> endProgram_;
    Icon bigIcon_, smallIcon_;
    bool sourceFailed_ = false; // the last request got no random bytes
};

} // namespace zorvane::win32
