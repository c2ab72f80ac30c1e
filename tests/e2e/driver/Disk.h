#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Files.h"

namespace e2e {

// What scenarios read and tidy on the prefix's drives.
using files::Attributes;
using files::Exists;
using files::IsFolder;
using files::NamesIn;
// Deletes a file or a folder tree, read-only marks included; a link is removed
// itself (on the Linux side), never entered. True when nothing is left.
bool DeleteTree(const std::string& path);

}  // namespace e2e
