#pragma once
// The shell services the setup needs: special folders, the folder picker,
// shortcut files and opening a folder window. ANSI texts throughout.

#include <windows.h>

#include <optional>
#include <string>

namespace host {

// File-system path of a special folder (CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, ...);
// nullopt when the shell has no such folder or it has no file-system path.
std::optional<std::string> SpecialFolderPath(HWND owner, int csidl);

// The path the shell has on record for a special folder, read without building an
// item list (several times cheaper) and whether or not the folder exists now;
// nullopt when it has no file-system path.
std::optional<std::string> RecordedFolderPath(int csidl);

enum class FolderChoice { Cancelled, Chosen, ChosenWithoutPath };
struct FolderPick {
    FolderChoice choice = FolderChoice::Cancelled;
    std::string path;  // set only for Chosen
};

// The shell's modal folder-browse dialog over the whole namespace.
FolderPick BrowseForFolder(HWND owner, const std::string& title);

// Writes a .lnk file at linkFile pointing at target; true when the link was saved.
bool WriteShellLink(const std::string& target, const std::string& linkFile, const std::string& description,
                    int showCommand);

// Opens the folder's window without taking the focus; ShellExecuteA's result
// (greater than 32 on success). A missing folder is not asked for: SE_ERR_FNF.
INT_PTR OpenFolderWindow(HWND owner, const std::string& folder);

}  // namespace host
