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
