// SPDX-License-Identifier: MIT
// Owners for the handles the windows create: each GDI object, icon and COM
// interface is released exactly once, by whoever holds it last.
#pragma once

#include <windows.h>

#include <utility>

namespace zorvane::win32 {

// A GDI object (font, brush, bitmap) owned by this value.
template <typename Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
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
        if (handle_)
            DeleteObject(handle_);
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
    explicit Icon(HICON icon) : icon_(icon) {}
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
        if (icon_)
            DestroyIcon(icon_);
    }
    [[nodiscard]] HICON Get() const { return icon_; }

private:
    HICON icon_ = nullptr;
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

} // namespace zorvane::win32
