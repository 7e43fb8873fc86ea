// SPDX-License-Identifier: MIT
// The password field's own behaviour where it keeps secrets: the copy a
// clipboard offer holds is wiped when the offer goes, no copy leaves unmarked
// when the control takes no callback, and the menu opened from the keyboard
// opens at the selection. A program of its own: it watches every block the
// program gives back through delete, which no other test program may do.
#include "password_field.h"
#include "support.h"

#include <ole2.h>

#include <atomic>
#include <cstring>
#include <new>

namespace {

// While set, every block given back is searched for it.
std::atomic<const wchar_t *> watched{nullptr};
std::atomic<int> freedHolding{0};

void Check(const void *memory, std::size_t size)
{
    const wchar_t *text = watched.load();
    if (!text || !memory)
        return;
    const std::size_t length = std::wcslen(text) * sizeof(wchar_t);
    const auto *bytes = static_cast<const unsigned char *>(memory);
    for (std::size_t at = 0; at + length <= size; ++at)
        if (std::memcmp(bytes + at, text, length) == 0) {
            ++freedHolding;
            return;
        }
}

} // namespace

void *operator new(std::size_t size)
{
    if (void *memory = HeapAlloc(GetProcessHeap(), 0, size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void *memory) noexcept
{
    if (!memory)
        return;
    Check(memory, HeapSize(GetProcessHeap(), 0, memory));
    HeapFree(GetProcessHeap(), 0, memory);
}

void operator delete(void *memory, std::size_t) noexcept
{
    operator delete(memory);
}

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;

bool ClipboardHasText()
{
    if (!OpenClipboard(nullptr))
        return false;
    const bool has = GetClipboardData(CF_UNICODETEXT) != nullptr;
    CloseClipboard();
    return has;
}

TEST_F(WindowTest, TheCopyAClipboardOfferHoldsIsWipedWhenTheOfferGoes)
{
    Generate(L"24");
    const std::wstring password = WindowText(Control(PasswordField));
    ASSERT_EQ(password.size(), 24u);
    SendMessageW(Control(PasswordField), EM_SETSEL, 0, -1);
    SendMessageW(Control(PasswordField), WM_COPY, 0, 0);
    ASSERT_TRUE(ClipboardHasText());
    // The offer goes when the clipboard takes another, or none.
    freedHolding = 0;
    watched = password.c_str();
    OleSetClipboard(nullptr);
    watched = nullptr;
    EXPECT_EQ(freedHolding, 0);
}

// A control that takes no callback: a plain edit control.
TEST_F(WindowTest, WithoutACallbackToMarkThemNoCopiesAreMade)
{
    const HWND field =
        CreateWindowExW(0, L"EDIT", L"not for history", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0,
                        100, 20, window_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_FALSE(AttachPasswordField(field));
    std::wstring password = L"still not for history";
    ShowPassword(field, password, false);
    SetFocus(field);
    for (const auto &[way, key] : kCopyWays) {
        SCOPED_TRACE(way);
        CopyAllOf(field, key);
        EXPECT_FALSE(ClipboardHasText());
    }
    DestroyWindow(field);
    // The real field takes one, and copies.
    Generate(L"8");
    SendMessageW(Control(PasswordField), EM_SETSEL, 0, -1);
    SendMessageW(Control(PasswordField), WM_COPY, 0, 0);
    EXPECT_TRUE(ClipboardHasText());
}

TEST_F(WindowTest, TheMenuFromTheKeyboardOpensAtTheSelectionAndAClickWhereItIs)
{
    const HWND field = Control(PasswordField);
    Generate(L"32767");
    RECT box;
    GetWindowRect(field, &box);
    const auto inside = [&box](POINT p) { return PtInRect(&box, p) != 0; };
    // Both coordinates -1, as 64-bit Windows sign-extends it or not.
    for (const LPARAM keyboard : {LPARAM{-1}, static_cast<LPARAM>(0xFFFFFFFFu)}) {
        SCOPED_TRACE(keyboard);
        SendMessageW(field, EM_SETSEL, 10, 20);
        SendMessageW(field, EM_SCROLLCARET, 0, 0);
        const POINT atSelection = ContextMenuPoint(field, keyboard);
        EXPECT_TRUE(inside(atSelection));
        EXPECT_GT(atSelection.x, box.left + 40) << "ten characters in";
        // Scrolled out of sight, the selection gives way to the corner.
        SendMessageW(field, WM_VSCROLL, SB_BOTTOM, 0);
        const POINT corner = ContextMenuPoint(field, keyboard);
        EXPECT_TRUE(inside(corner));
        EXPECT_LT(corner.x, box.left + 5);
        EXPECT_LT(corner.y, box.top + 5);
    }
    // A click left of or above the primary monitor has one coordinate -1.
    for (const POINT click : {POINT{-1, 50}, POINT{50, -1}, POINT{-1, -2}}) {
        const POINT at = ContextMenuPoint(field, MAKELPARAM(click.x, click.y));
        EXPECT_EQ(at.x, click.x);
        EXPECT_EQ(at.y, click.y);
    }
}

} // namespace
} // namespace zorvane::win32::testing
