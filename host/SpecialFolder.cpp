#include "host/ItemList.h"
#include "host/Shell.h"

#include <shlobj.h>

namespace host {

std::optional<std::string> SpecialFolderPath(HWND owner, int csidl) {
    ItemList list;
    if (FAILED(SHGetSpecialFolderLocation(owner, csidl, list.put())) || !list) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(list.get(), path)) return std::nullopt;
    return std::string(path);
}

std::optional<std::string> RecordedFolderPath(int csidl) {
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK ||
        !path[0])
        return std::nullopt;
    return std::string(path);
}

}  // namespace host
