#include "Disk.h"

#include "Linux.h"

namespace e2e {

bool DeleteTree(const std::string& path) {
    const DWORD a = Attributes(path);
    if (a == INVALID_FILE_ATTRIBUTES) return true;
    if (a & FILE_ATTRIBUTE_REPARSE_POINT) {
        LinuxResult ignored;
        RunLinux("rm -f " + ShellQuote(UnixPath(path)), ignored);
        return !Exists(path);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
    } else {
        for (const std::string& name : NamesIn(path)) DeleteTree(path + "\\" + name);
        RemoveDirectoryA(path.c_str());
    }
    return !Exists(path);
}

}  // namespace e2e
