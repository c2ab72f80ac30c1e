#include "host/Shell.h"

#include <shellapi.h>

namespace host {

INT_PTR OpenFolderWindow(HWND owner, const std::string& folder)
{
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNOACTIVATE));
}

} // namespace host
