// SPDX-License-Identifier: MIT
// The About window: two pictures, a few words about the author, and Back.
#pragma once

#include "window.h"

namespace zorvane::win32 {

class AboutWindow final : public Window {
public:
    static const WindowClass kClass;

    // A hidden top-level window owned by `owner`, so it stays in front of it.
    AboutWindow(HINSTANCE module, HWND owner, int dpi);

    void Hide();

private:
    void OnCommand(int index) override;
    void OnBack();
};

} // namespace zorvane::win32
