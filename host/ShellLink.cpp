#include "host/ComPtr.h"
#include "host/Shell.h"

#include <objidl.h>
#include <shlobj.h>

#include <vector>

namespace host {

namespace {

// Defined here: the system's import library keeps every identifier it knows in one
// 40 KiB object, which the program would carry for these three.
constexpr GUID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The link path in UTF-16 from the ANSI code page; empty on failure.
std::vector<wchar_t> WidePath(const std::string& path) {
    int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length) != length) return {};
    return wide;
}

}  // namespace

bool WriteShellLink(const std::string& target, const std::string& linkFile, const std::string& description,
                    int showCommand) {
    // Declared first so COM outlives both interfaces below.
    ComApartment apartment;
    if (!apartment.ok()) return false;

    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA, link.put_void())))
        return false;
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());
    link->SetShowCmd(showCommand);

    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(kIidPersistFile, file.put_void()))) return false;
    std::vector<wchar_t> widePath = WidePath(linkFile);
    if (widePath.empty()) return false;
    return SUCCEEDED(file->Save(widePath.data(), TRUE));
}

}  // namespace host
