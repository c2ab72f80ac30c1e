#pragma once
#include <windows.h>

#include <cstddef>

namespace vk {

// Owns a GDI bitmap until it is handed on.
class BitmapHandle {
public:
    explicit BitmapHandle(HBITMAP b = nullptr) : b_(b) {}
    BitmapHandle(BitmapHandle&& o) noexcept : b_(o.Release()) {}
    BitmapHandle& operator=(BitmapHandle&&) = delete;
    ~BitmapHandle() { if (b_) DeleteObject(b_); }
    HBITMAP Get() const { return b_; }
    HBITMAP Release() { HBITMAP b = b_; b_ = nullptr; return b; }

private:
    HBITMAP b_;
};

// Decodes a JPEG into a top-down 24-bit bitmap of the image's own size.
// Throws vk::Exception on data the decoder rejects.
BitmapHandle DecodeJpeg(const unsigned char* data, size_t size, int* width = nullptr, int* height = nullptr);

}  // namespace vk
