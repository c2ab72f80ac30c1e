#include "Resources.h"

#include <windows.h>

#include "Exception.h"

namespace vk {

std::vector<unsigned char> LoadResourceBytes(const std::string& name) {
    // Resource names cannot hold dots: "wizard.layout" is stored as WIZARD_LAYOUT.
    std::string id = name;
    for (char& c : id)
        if (c == '.') c = '_';
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, id.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL data = res ? LoadResource(module, res) : nullptr;
    const void* p = data ? LockResource(data) : nullptr;
    if (!p) throw Exception("Missing resource " + name);
    auto* bytes = static_cast<const unsigned char*>(p);
    return std::vector<unsigned char>(bytes, bytes + SizeofResource(module, res));
}

std::string LoadResourceText(const std::string& name) {
    auto bytes = LoadResourceBytes(name);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace vk
