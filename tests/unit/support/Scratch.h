#pragma once
#include <windows.h>

#include <string>

// A folder of its own under the prefix's temp folder, emptied and removed at the
// end; the process's current directory is put back too, since the run moves it.
class Scratch {
public:
    explicit Scratch(const char* name);
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::string& Path() const { return path_; }  // no trailing backslash
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string parent_, path_;
    char previousDirectory_[MAX_PATH] = {};
};

bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);
long long FileSize(const std::string& path);
// Removes a folder tree (clearing read-only marks); true when it is gone.
bool RemoveTree(const std::string& path);
