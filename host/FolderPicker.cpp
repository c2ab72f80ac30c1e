#include "host/ComPtr.h"
#include "host/ItemList.h"
#include "host/Shell.h"

#include <shlobj.h>

namespace host {

FolderPick BrowseForFolder(HWND owner, const std::string& title) {
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = 0;
    info.lpfn = nullptr;

    // The dialog requires a single-threaded apartment on the calling thread.
    ComApartment apartment;
    ItemList chosen(SHBrowseForFolderA(&info));
    if (!chosen) return {FolderChoice::Cancelled, {}};
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(chosen.get(), path)) return {FolderChoice::ChosenWithoutPath, {}};
    return {FolderChoice::Chosen, std::string(path)};
}

}  // namespace host
