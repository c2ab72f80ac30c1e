#pragma once
#include <windows.h>

#include <string>

// Where the path's last backslash or colon stands, read character by character
// in the code page: the trail byte of a double-byte character is never taken
// for a backslash. npos when there is none.
size_t LastSeparator(const std::string& path, UINT codePage = CP_ACP);

// The text up to and including its last backslash or colon; empty when it has neither.
std::string ParentOf(const std::string& path, UINT codePage = CP_ACP);

// The folder that holds the path, to stand in: its ParentOf without that closing
// backslash, unless a colon or another backslash precedes it ("C:\", "\\").
std::string ParentFolder(const std::string& path, UINT codePage = CP_ACP);

// The path with one backslash at its end: added only when the last character
// is not one already; an empty path becomes "\".
std::string WithTrailingBackslash(const std::string& path);

// True when the path names an existing folder (a trailing backslash is allowed).
bool FolderExists(const std::string& path);

// Creates the folder and every missing parent. True when it exists afterwards
// or counts as a root; false when a creation failed. Folders made by the inner
// levels stay when an outer one fails. An empty path raises vk::Exception.
bool CreateFolderPath(const std::string& path);
