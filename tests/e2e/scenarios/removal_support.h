// Removal and repair as a user clicks them, after an installation made by the
// program itself, and the machine read afterwards: files, links, the record.
#pragma once
#include <gtest/gtest.h>
#include "e2e.h"
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace removal {

using namespace e2e;

inline constexpr char kRemoved[] = "Vaskel has been removed from your computer. Press OK to exit.";
inline constexpr char kUpdated[] = "Vaskel installation has been updated. Press OK to exit.";
inline constexpr char kConfirmUninstall[] =
    "This will completely remove Vaskel from your computer. Are you sure you want to continue?";
inline constexpr char kConfirmRepair[] =
    "This will update/repair the selected Vaskel components. Are you sure you want to continue?";
inline constexpr char kWhyRoot[] = "it is the root of a drive or share";
inline constexpr char kWhySystem[] = "it is, or holds, a folder of Windows or of your user profile";
inline constexpr char kWhyUnknown[] = "the installation record does not say clearly where Vaskel was installed";
inline constexpr char kWhyFilesLeft[] = "it, or something in it, could not be deleted";
// The line the closing message gains for a folder left in place.
inline std::string NotRemoved(const std::string& folder, const char* why) {
    return "\r\n\r\nNot removed: " + folder + " (" + why + ").";
}

inline constexpr char kDefaultFolder[] = "C:\\Vaskel";
// Every file of a Typical installation (core, simulator, English help, animated help).
const std::vector<std::string>& TypicalFiles();

struct InstallChoices {
    std::optional<std::string> location;  // typed over "C:\Vaskel"
    bool menu = true, desktopIcon = true;
    // Finish opens the group's folder window; a user may leave it open.
    bool closeGroupWindow = true;
};

// Starts the program on a machine without a record, clicks a Typical
// installation through to Finish and waits for a clean exit.
::testing::AssertionResult InstallByClicking(const InstallChoices& choices = {});

// The wizard of a program started with a record present, its three buttons found.
class Wizard {
public:
    ::testing::AssertionResult Start();
    // Clicks and waits until the wizard has handled the click.
    bool Press(const Window& control) const;
    // The next message box of the program within the time, or an empty one.
    MessageBoxWindow WaitBox(DWORD timeoutMs = kDefaultWaitMs) const;
    // Checked state of the wizard's check box with this caption, set by clicking.
    bool SetBox(const std::string& caption, bool checked) const;

    SetupSession setup;
    Window back, next, cancel;
};

// Modify / Repair on the first page, then Next: the components page, Next reading "Finish".
::testing::AssertionResult StartRepair(Wizard& wizard);
// Waits for the installation run to end with the wizard back on the shortcut
// page, idle; a message box on the way is a failure.
::testing::AssertionResult WaitForShortcutPage(const SetupSession& setup);
// From the shortcut page: Next, then Finish on the read-me page, and a clean exit.
::testing::AssertionResult FinishFromShortcutPage(Wizard& wizard);

// Closes the group's folder window that Finish opens, and waits for its process
// to end; false when no such window came up within the time.
bool CloseGroupWindow(DWORD timeoutMs);

// What the user saw of a removal or repair that ended in the closing message.
struct RunSeen {
    std::string closing;                  // the plain box's text
    std::vector<std::string> otherBoxes;  // any plain box before it, answered OK
    std::string dialogCaption;            // the progress dialog behind the closing box
    int progress = -1;                    // its bar, read while the closing box is up
    bool exited = false;
    DWORD exitCode = 0xDEADBEEF;
};
// Answers Yes to the question, then OK to every plain box until the one whose
// text starts with `closing`, reading the progress dialog behind it; waits for the exit.
::testing::AssertionResult ConfirmAndFinish(Wizard& wizard, const char* question, const char* closing, RunSeen& seen);
// Uninstall from the first page, as it opens on a machine with a record.
::testing::AssertionResult UninstallByClicking(RunSeen& seen);

// The user's folders in this prefix.
const std::string& ProgramsFolder();
const std::string& DesktopFolder();
inline std::string GroupFolder() { return ProgramsFolder() + "\\Vaskel"; }
inline std::string DesktopLink() { return DesktopFolder() + "\\Vaskel.lnk"; }

// No record, no installation folder, no group, no desktop link, no scratch
// folders: what each case starts from.
void CleanMachine(const std::vector<std::string>& alsoRemove = {});

// Every file below the folder, by relative path, sorted.
std::vector<std::string> FilesBelow(const std::string& folder);
bool WriteBytes(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::string& path);

}  // namespace removal
