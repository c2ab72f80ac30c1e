#pragma once
#include <windows.h>

#include <cstddef>

#include "Owner.h"

namespace vk {

// Decodes a JPEG into a top-down 24-bit bitmap of the image's own size.
// Throws vk::Exception on data the decoder rejects.
Bitmap DecodeJpeg(const unsigned char* data, size_t size, int* width = nullptr, int* height = nullptr);

}  // namespace vk
