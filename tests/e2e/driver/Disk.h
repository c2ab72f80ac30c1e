#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// What scenarios read and tidy on the prefix's drives.
DWORD Attributes(const std::string& path);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> NamesIn(const std::string& folder);
// Deletes a file or a folder tree, read-only marks included; a link is removed
// itself (on the Linux side), never entered. True when nothing is left.
bool DeleteTree(const std::string& path);

}  // namespace e2e
