#include "host/ComPtr.h"
#include "host/Shell.h"

#include <shellapi.h>

namespace host {

INT_PTR OpenFolderWindow(HWND owner, const std::string& folder) {
    // Asked to open a folder that is not there, the shell may show an error box
    // of its own; nothing is asked then, and the answer is the shell's for it.
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return SE_ERR_FNF;
    // The verb may go to a shell extension that needs a single-threaded apartment.
    ComApartment apartment;
    return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNOACTIVATE));
}

}  // namespace host
