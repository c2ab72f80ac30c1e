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

// Why the removal left a folder in place; each becomes a line of the closing message.
namespace msg {
inline constexpr char NotRemoved[] = "Not removed: ";
inline constexpr char WhyRoot[] = "it is the root of a drive or share";
inline constexpr char WhyNotAbsolute[] = "it is not a full folder path";
inline constexpr char WhySystemFolder[] = "it is, or holds, a folder of Windows or of your user profile";
inline constexpr char WhyUnknownFolder[] = "the installation record does not say clearly where Vaskel was installed";
inline constexpr char WhyFilesLeft[] = "it, or something in it, could not be deleted";
inline constexpr char InstallationFolder[] = "the installation folder";
inline constexpr char WhyLink[] = "it is a link to another folder";
// Follows a count: "3 files that Vaskel Setup did not install".
inline constexpr char NotInstalledByUs[] = " that Vaskel Setup did not install";
}  // namespace msg
