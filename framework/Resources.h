#pragma once
#include <string>
#include <vector>

namespace vk {

// Data embedded in the executable as RCDATA resources, asked for by file name.
std::vector<unsigned char> LoadResourceBytes(const std::string& name);
std::string LoadResourceText(const std::string& name);

}  // namespace vk
