#include "JpegPicture.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include "Exception.h"

extern "C" {
#include <jpeglib.h>
}

namespace vk {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings are not shown to the user

// Kept free of C++ objects with destructors: the decoder reports errors by longjmp.
bool Decode(const unsigned char* data, size_t size, HBITMAP* out, int* w, int* h, char* message) {
    jpeg_decompress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.output_message = OnMessage;
    HBITMAP bitmap = nullptr;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        if (bitmap) DeleteObject(bitmap);
        lstrcpynA(message, err.message, JMSG_LENGTH_MAX);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;  // the byte order of a Windows DIB
    jpeg_start_decompress(&info);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = static_cast<LONG>(info.output_width);
    bi.bmiHeader.biHeight = -static_cast<LONG>(info.output_height);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        jpeg_destroy_decompress(&info);
        lstrcpynA(message, "cannot create the bitmap", JMSG_LENGTH_MAX);
        return false;
    }
    size_t stride = (info.output_width * 3 + 3) & ~size_t{3};
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = static_cast<JSAMPROW>(bits) + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    *w = static_cast<int>(info.output_width);
    *h = static_cast<int>(info.output_height);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    *out = bitmap;
    return true;
}

}  // namespace

Bitmap DecodeJpeg(const unsigned char* data, size_t size, int* width, int* height) {
    HBITMAP bitmap = nullptr;
    int w = 0, h = 0;
    char message[JMSG_LENGTH_MAX] = "";
    if (!Decode(data, size, &bitmap, &w, &h, message))
        throw Exception(std::string("Cannot read the picture: ") + message);
    if (width) *width = w;
    if (height) *height = h;
    return Bitmap(bitmap);
}

}  // namespace vk
