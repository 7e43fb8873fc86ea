// SPDX-License-Identifier: MIT
// Owners for the handles the windows create: each GDI object, device context,
// menu, icon and COM interface is released exactly once, by whoever holds it
// last; and the reference count of the COM objects the program makes itself.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <atomic>
#include <utility>

namespace zorvane::win32 {

// How many GDI objects, device contexts, menus and icons the owners below
// hold. Wine's GetGuiResources answers 0, so tests watch this for leaks instead.
inline std::atomic<int> liveHandles{0};

// A GDI object (font, brush, bitmap) owned by this value.
template <typename Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) { liveHandles += handle ? 1 : 0; }
    GdiObject(GdiObject &&other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject &operator=(GdiObject &&other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;
    ~GdiObject() { Reset(); }

    [[nodiscard]] Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset()
    {
        if (handle_ && DeleteObject(handle_))
            --liveHandles;
        handle_ = nullptr;
    }

private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// An icon loaded without LR_SHARED, which its loader must destroy.
class Icon {
public:
    Icon() = default;
    explicit Icon(HICON icon) : icon_(icon) { liveHandles += icon ? 1 : 0; }
    Icon(Icon &&other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    Icon &operator=(Icon &&other) noexcept
    {
        std::swap(icon_, other.icon_);
        return *this;
    }
    Icon(const Icon &) = delete;
    Icon &operator=(const Icon &) = delete;
    ~Icon()
    {
        if (icon_ && DestroyIcon(icon_))
            --liveHandles;
    }
    [[nodiscard]] HICON Get() const { return icon_; }

private:
    HICON icon_ = nullptr;
};

// A window's device context, or the screen's for none, given back when this goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window))
    {
        liveHandles += dc_ ? 1 : 0;
    }
    WindowDc(const WindowDc &) = delete;
    WindowDc &operator=(const WindowDc &) = delete;
    ~WindowDc()
    {
        if (dc_ && ReleaseDC(window_, dc_))
            --liveHandles;
    }
    [[nodiscard]] HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A device context in memory, compatible with `like`, deleted when this goes.
class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) { liveHandles += dc_ ? 1 : 0; }
    MemoryDc(const MemoryDc &) = delete;
    MemoryDc &operator=(const MemoryDc &) = delete;
    ~MemoryDc()
    {
        if (dc_ && DeleteDC(dc_))
            --liveHandles;
    }
    [[nodiscard]] HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A pop-up menu, destroyed when this goes.
class PopupMenu {
public:
    PopupMenu() : menu_(CreatePopupMenu()) { liveHandles += menu_ ? 1 : 0; }
    PopupMenu(const PopupMenu &) = delete;
    PopupMenu &operator=(const PopupMenu &) = delete;
    ~PopupMenu()
    {
        if (menu_ && DestroyMenu(menu_))
            --liveHandles;
    }
    [[nodiscard]] HMENU Get() const { return menu_; }

private:
    HMENU menu_;
};

// A COM interface pointer that releases its reference.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr &) = delete;
    ComPtr &operator=(const ComPtr &) = delete;
    ~ComPtr()
    {
        if (pointer_)
            pointer_->Release();
    }
    Interface *operator->() const { return pointer_; }
    [[nodiscard]] Interface *Get() const { return pointer_; }
    // For functions that hand out a new reference through an out parameter.
    Interface **Put() { return &pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface *pointer_ = nullptr;
};

// COM objects end in their own Release, never by a delete through the
// interface, so the interfaces need no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// A COM object of the program's own, made with new with one reference, that
// offers `Interfaces`; it deletes itself at its last Release.
template <typename... Interfaces> class ComObject : public Interfaces... {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;
    // QueryInterface's answer: `as` is this object as the interface asked
    // for, or null where it offers none.
    HRESULT Offer(void **object, void *as)
    {
        if (!object)
            return E_POINTER;
        *object = as;
        if (!as)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

private:
    std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

} // namespace zorvane::win32
