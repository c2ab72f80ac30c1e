#pragma once
// One owner for every kind of handle: each kind is an alias naming its close
// function. The handle is closed exactly once, on every path out of its scope.
#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

namespace vk {

template <typename T, auto Close>
class Owner {
public:
    Owner() = default;
    explicit Owner(T handle) : handle_(handle) {}
    ~Owner() { reset(); }
    Owner(Owner&& other) noexcept : handle_(other.release()) {}
    Owner& operator=(Owner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    T get() const { return handle_; }
    // Neither null nor INVALID_HANDLE_VALUE, the two ways the system says "none".
    explicit operator bool() const {
        if constexpr (std::is_pointer_v<T>)
            return handle_ != nullptr && reinterpret_cast<std::intptr_t>(handle_) != -1;
        else
            return handle_ != T{};
    }
    // For a call that hands back a new handle: whatever was held is closed first.
    T* put() {
        reset();
        return &handle_;
    }
    T release() { return std::exchange(handle_, T{}); }
    void reset(T handle = T{}) {
        if (*this) Close(handle_);
        handle_ = handle;
    }

private:
    T handle_{};
};

using UniqueHandle = Owner<HANDLE, &CloseHandle>;
using FindHandle = Owner<HANDLE, &FindClose>;
using GdiObject = Owner<HGDIOBJ, &DeleteObject>;
using Bitmap = Owner<HBITMAP, &DeleteObject>;
using Font = Owner<HFONT, &DeleteObject>;
using Brush = Owner<HBRUSH, &DeleteObject>;
using MemoryDc = Owner<HDC, &DeleteDC>;
using Icon = Owner<HICON, &DestroyIcon>;

// A window's device context, given back to that window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (old_) SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace vk
