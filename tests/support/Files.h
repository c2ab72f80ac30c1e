// What every test reads and tidies on the prefix's drive, in one place for the
// unit tests and the scenarios alike.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace files {

DWORD Attributes(const std::string& path);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);
// -1 when the file cannot be read.
long long FileSize(const std::string& path);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> NamesIn(const std::string& folder);
// Deletes a file or a folder tree, clearing read-only marks; a link is removed
// itself, never entered. True when nothing is left.
bool RemoveTree(const std::string& path);

}  // namespace files
