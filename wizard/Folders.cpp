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

namespace {

// The text up to and including its last backslash or colon; empty when it has neither.
// Walks by characters so that a trail byte of a double-byte character is never taken
// for a backslash.
std::string ParentOf(const std::string& path) {
    size_t end = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsDBCSLeadByte(c) && i + 1 < path.size()) { ++i; continue; }
        if (c == '\\' || c == ':') end = i + 1;
    }
    return path.substr(0, end);
}

}  // namespace

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
