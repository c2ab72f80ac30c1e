// Owners for the kernel and GDI handles the driver opens.
#pragma once
#include <windows.h>
#include <utility>

namespace e2e {

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) { reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }
    void reset(HANDLE h = nullptr) {
        if (h_) CloseHandle(h_);
        h_ = h;
    }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
private:
    HANDLE h_ = nullptr;
};

// The screen DC, released with the window it was taken from.
class WindowDc {
public:
    explicit WindowDc(HWND w) : w_(w), dc_(GetDC(w)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { if (dc_) ReleaseDC(w_, dc_); }
    HDC get() const { return dc_; }
private:
    HWND w_;
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() { if (dc_) DeleteDC(dc_); }
    HDC get() const { return dc_; }
private:
    HDC dc_;
};

class GdiObject {
public:
    explicit GdiObject(HGDIOBJ o = nullptr) : o_(o) {}
    GdiObject(GdiObject&& o) noexcept : o_(std::exchange(o.o_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) { if (o_) DeleteObject(o_); o_ = std::exchange(o.o_, nullptr); }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { if (o_) DeleteObject(o_); }
    HGDIOBJ get() const { return o_; }
    explicit operator bool() const { return o_ != nullptr; }
private:
    HGDIOBJ o_;
};

// Selects an object into a DC and puts the old one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ o) : dc_(dc), old_(SelectObject(dc, o)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { if (old_) SelectObject(dc_, old_); }
private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace e2e
