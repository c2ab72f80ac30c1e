#include "Screen.h"
#include "Environment.h"
#include "Handle.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace e2e {

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}

namespace {

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

}  // namespace

void Capture::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * height, 0);
}

bool Capture::Grab(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    WindowDc screen(nullptr);
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!screen.get() || !memory.get()) return false;
    BITMAPINFO bi = TopDown32(w, h);
    void* bits = nullptr;
    GdiObject dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib) return false;
    {
        Selection select(memory.get(), dib.get());
        if (!BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY)) return false;
        GdiFlush();
    }
    area_ = r;
    Resize(w, h);
    std::copy_n(static_cast<const std::uint32_t*>(bits), pixels_.size(), pixels_.begin());
    return true;
}

bool Capture::GrabScreen() {
    const SIZE s = ScreenSize();
    return Grab(RECT{0, 0, s.cx, s.cy});
}

Rgb Capture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    const std::uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
    return Rgb{BYTE(p >> 16), BYTE(p >> 8), BYTE(p)};
}

int Capture::CountDifferent(const Capture& other, int tolerance) const {
    if (width_ != other.width_ || height_ != other.height_) return width_ * height_ + 1;
    int different = 0;
    for (size_t i = 0; i < pixels_.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            int a = (pixels_[i] >> shift) & 0xFF, b = (other.pixels_[i] >> shift) & 0xFF;
            if (a - b > tolerance || b - a > tolerance) {
                ++different;
                break;
            }
        }
    }
    return different;
}

bool Capture::SaveBmp(const std::string& path) const {
    if (pixels_.empty()) return false;
    // 24 bits a pixel: readers take the spare byte of a 32-bit file as alpha.
    const size_t stride = (static_cast<size_t>(width_) * 3 + 3) & ~size_t(3);
    std::vector<BYTE> image(stride * height_);
    for (int y = 0; y < height_; ++y) {
        BYTE* row = &image[stride * y];
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
            row[x * 3] = BYTE(p);
            row[x * 3 + 1] = BYTE(p >> 8);
            row[x * 3 + 2] = BYTE(p >> 16);
        }
    }
    BITMAPINFOHEADER ih = TopDown32(width_, height_).bmiHeader;
    ih.biBitCount = 24;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + image.size());
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!f) return false;
    return std::fwrite(&fh, sizeof fh, 1, f.get()) == 1 && std::fwrite(&ih, sizeof ih, 1, f.get()) == 1 &&
           std::fwrite(image.data(), image.size(), 1, f.get()) == 1;
}

SIZE ScreenSize() { return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Rgb ScreenPixel(int x, int y) {
    Capture c;
    if (!c.Grab(RECT{x, y, x + 1, y + 1})) return {};
    return c.At(0, 0);
}

bool SaveScreenshot(const std::string& name) {
    Capture c;
    const std::string folder = ShotFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    return c.GrabScreen() && c.SaveBmp(folder + "\\" + name + ".bmp");
}

}  // namespace e2e
