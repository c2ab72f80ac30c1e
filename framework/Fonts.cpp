#include "Fonts.h"

namespace vk {

namespace {

// Height in pixels of the ink of a capital H drawn in the font.
int InkHeight(HFONT font, int height) {
    int size = height * 2 + 8;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp) return height;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 4, 4, "H", 1);
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
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteDC(dc);
    DeleteObject(bmp);
    return top < 0 ? 0 : bottom - top + 1;
}

}  // namespace

HFONT CreateUiFont(const std::string& face, int height) {
    auto create = [height](const char* name) {
        return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name);
    };
    HFONT font = create(face.c_str());
    // A bitmap face has a few sizes only and draws small letters at any other:
    // where the ink of an "H" falls short, take the scalable sans serif instead.
    if (InkHeight(font, height) < height / 2) {
        DeleteObject(font);
        font = create("Microsoft Sans Serif");
    }
    return font;
}

}  // namespace vk
