#pragma once
#include <optional>
#include <string>
#include <vector>

// Paths the removal must never delete from: what it refuses, and why.

// "X:\..." or "\\server\share\...": a path that names the same place whatever
// the current drive and folder are.
bool IsAbsolutePath(const std::string& path);

// A drive or share root: "C:", "C:\", "\\server\share", "\\server\share\".
bool IsRootPath(const std::string& path);

// Why the folder must not be removed, or nullopt when it may be. `systemFolders`
// are the shell's own folders (Windows, Program Files, the profile ...): a folder
// that is one of them, or holds one, is refused.
std::optional<std::string> WhyNotRemovable(const std::string& folder, const std::vector<std::string>& systemFolders);

// The shell's system folders on this machine, as full paths, those missing now included.
std::vector<std::string> ShellSystemFolders();
