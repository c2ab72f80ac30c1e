#pragma once
#include <windows.h>

#include <string>

#include "Files.h"

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

using files::Exists;
using files::FileSize;
using files::IsFile;
using files::IsFolder;
using files::NamesIn;
using files::RemoveTree;
