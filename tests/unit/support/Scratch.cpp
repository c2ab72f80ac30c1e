#include "Scratch.h"

Scratch::Scratch(const char* name) {
    GetCurrentDirectoryA(MAX_PATH, previousDirectory_);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    // The unit prefix is shared by everyone's tests: the process id keeps runs apart.
    parent_ = temp;
    path_ = parent_ + "vaskel-" + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

Scratch::~Scratch() {
    // Wine keeps the current directory open, so it could not be removed; and the
    // directory the program started in may not be reachable by a drive letter.
    if (!SetCurrentDirectoryA(previousDirectory_)) SetCurrentDirectoryA(parent_.c_str());
    RemoveTree(path_);
}

bool IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {
struct FindHandle {
    HANDLE h;
    ~FindHandle() {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};
}  // namespace

bool RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    FindHandle find{FindFirstFileA((path + "\\*").c_str(), &found)};
    if (find.h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileA(child.c_str());
        } while (FindNextFileA(find.h, &found));
    }
    RemoveDirectoryA(path.c_str());
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}
