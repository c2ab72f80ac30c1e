#pragma once
#include <windows.h>

#include <string>

namespace vk {

// A regular font of the face, the given pixel height; the caller owns it.
HFONT CreateUiFont(const std::string& face, int height);

}  // namespace vk
