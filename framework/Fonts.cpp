#include "Fonts.h"

#include "Owner.h"

namespace vk {

namespace {

// Height in pixels of the ink of a capital H drawn in the font.
int InkHeight(HFONT font, int height) {
    const int size = height * 2 + 8;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const Bitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return height;
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    const ScopedSelect selectBitmap(dc.get(), bitmap.get());
    const ScopedSelect selectFont(dc.get(), font);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    SetBkMode(dc.get(), TRANSPARENT);
    TextOutA(dc.get(), 4, 4, "H", 1);
    GdiFlush();
    const auto* px = static_cast<const DWORD*>(bits);
    int top = -1, bottom = -1;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (px[y * size + x] & 0xFFFFFF) {
                if (top < 0) top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

}  // namespace

HFONT CreateUiFont(const std::string& face, int height) {
    auto create = [height](const char* name) {
        return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name);
    };
    Font font(create(face.c_str()));
    // A bitmap face has a few sizes only and draws small letters at any other:
    // where the ink of an "H" falls short, take the scalable sans serif instead.
    if (InkHeight(font.get(), height) < height / 2) font.reset(create("Microsoft Sans Serif"));
    return font.release();
}

}  // namespace vk
