#pragma once
#include <string>

// The path with one backslash at its end: added only when the last character
// is not one already; an empty path becomes "\".
std::string WithTrailingBackslash(const std::string& path);

// True when the path names an existing folder (a trailing backslash is allowed).
bool FolderExists(const std::string& path);

// Creates the folder and every missing parent. True when it exists afterwards
// or counts as a root; false when a creation failed. Folders made by the inner
// levels stay when an outer one fails. An empty path raises vk::Exception.
bool CreateFolderPath(const std::string& path);
