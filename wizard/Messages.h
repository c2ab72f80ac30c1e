#pragma once

// Every text the wizard shows in a message box, exactly as the user reads it.
namespace msg {
inline constexpr char ConfirmUninstall[] =
    "This will completely remove Vaskel from your computer. Are you sure you want to continue?";
inline constexpr char Removed[] = "Vaskel has been removed from your computer. Press OK to exit.";
inline constexpr char ConfirmRepair[] =
    "This will update/repair the selected Vaskel components. Are you sure you want to continue?";
inline constexpr char Updated[] = "Vaskel installation has been updated. Press OK to exit.";
inline constexpr char InvalidFolder[] = "Invalid Installation Folder. Please choose another.";
inline constexpr char ConfirmExit[] = "Are you sure you want exit from Vaskel Setup?";
inline constexpr char CannotCreateDirectory[] = "Cannot create directory. Please Choose another.";
inline constexpr char CannotWriteFile[] = "Cannot write file: ";
inline constexpr char UnableToCreateDirectory[] = "Unable to create directory";
inline constexpr char CannotCreateGroup[] = "Cannot create group: ";
inline constexpr char CannotCreateShortcut[] = "Cannot create shortcut: ";
inline constexpr char ErrorOpeningKey[] = "Error opening key";
inline constexpr char ErrorOpeningParentKey[] = "Error opening parent key ";
inline constexpr char BrowseTitle[] = "Select Installation Folder...";
}  // namespace msg
