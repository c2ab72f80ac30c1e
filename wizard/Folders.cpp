#include "Folders.h"

#include <windows.h>

#include "Exception.h"
#include "Messages.h"

std::string WithTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + '\\';
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

size_t LastSeparator(const std::string& path, UINT codePage) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<BYTE>(path[i]);
        if (IsDBCSLeadByteEx(codePage, c) && i + 1 < path.size())
            ++i;
        else if (c == '\\' || c == ':')
            last = i;
    }
    return last;
}

std::string ParentOf(const std::string& path, UINT codePage) {
    const size_t last = LastSeparator(path, codePage);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ParentFolder(const std::string& path, UINT codePage) {
    const size_t last = LastSeparator(path, codePage);
    if (last == std::string::npos) return std::string();
    // The backslash stays when the character before it is a separator too.
    const size_t before = last > 0 ? LastSeparator(path.substr(0, last), codePage) : std::string::npos;
    const bool keep = path[last] == ':' || last == 0 || (before != std::string::npos && before + 1 == last);
    return path.substr(0, keep ? last + 1 : last);
}

bool CreateFolderPath(const std::string& path) {
    if (path.empty()) throw vk::Exception(msg::UnableToCreateDirectory);
    std::string folder = path;
    if (folder.back() == '\\') folder.pop_back();
    if (folder.size() < 3) return true;
    if (FolderExists(folder)) return true;
    const std::string parent = ParentOf(folder);
    if (parent == folder) return true;
    if (!CreateFolderPath(parent)) return false;
    return CreateDirectoryA(folder.c_str(), nullptr) != FALSE;
}
