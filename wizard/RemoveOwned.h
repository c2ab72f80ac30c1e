#pragma once
// The removal's walk: only what the program wrote goes, each folder once it is
// empty; everything else stays and is counted.

#include <optional>
#include <string>
#include <vector>

// What the program writes below a folder, by paths relative to it.
struct OwnedTree {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

// The 22 product files and the ten sub-folders of the destination.
const OwnedTree& InstalledTree();
// The program group's shortcut files.
const OwnedTree& GroupTree();

// Deletes the tree's files from the folder by their bare names, each folder
// made current (and found to be so) first; then its sub-folders, deepest
// first, and the folder itself once empty. Links are never entered, names the
// tree does not hold are never touched. The current directory ends in the
// folder's parent. nullopt when the folder is gone (or never was), otherwise
// why it stays, for the closing message.
std::optional<std::string> RemoveOwned(const std::string& folder, const OwnedTree& owned);
