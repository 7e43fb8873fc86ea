// SPDX-License-Identifier: MIT
// The About window: two pictures, a few words about the author, and Back.
#pragma once

#include "contents.h"
#include "window.h"

#include <memory>

namespace zorvane::win32 {

class Form2 final : public Window<Form2> {
public:
    static constexpr const wchar_t *kClassName = L"ZorvaneForm2";
    static void RegisterClass(HINSTANCE module) { Register(module, kClassName); }

    // A hidden top-level window owned by `owner`, so it stays in front of it.
    Form2(HINSTANCE module, HWND owner, int dpi);
    Form2(const Form2 &) = delete;
    Form2 &operator=(const Form2 &) = delete;
    ~Form2();

    // Shows and activates the window, centred on the screen the first time.
    void Show();
    void Hide();
    [[nodiscard]] bool IsShown() const;

    [[nodiscard]] HWND Control(std::string_view name) const;
    [[nodiscard]] const Contents &contents() const { return *contents_; }

private:
    friend class Window<Form2>;
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);

    void Command1_Click();

    std::unique_ptr<Contents> contents_;
    Icon bigIcon_, smallIcon_;
};

} // namespace zorvane::win32
