// What the wizard leaves behind when it closes: the record, the desktop
// shortcut, the program group with its shortcuts, and the group's window.
#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "Application.h"
#include "host/ComPtr.h"
#include "Folders.h"
#include "Formwizard.h"
#include "InstallLayout.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "host/Shell.h"

namespace {

constexpr char kDesktopLink[] = "\\Vaskel.lnk";
constexpr char kMainTarget[] = "\\Vaskel.exe";
constexpr char kDesktopDescription[] = "Vaskel - Neural Networks Development Environment";
constexpr char kLinkExtension[] = ".lnk";

// The shortcut's name as the user reads it: its file name without ".lnk".
std::string ShortcutName(const std::string& shortcutFile) {
    const size_t slash = shortcutFile.rfind('\\');
    std::string name = slash == std::string::npos ? shortcutFile : shortcutFile.substr(slash + 1);
    const size_t extension = sizeof kLinkExtension - 1;
    if (name.size() >= extension && lstrcmpiA(name.c_str() + name.size() - extension, kLinkExtension) == 0)
        name.resize(name.size() - extension);
    return name;
}

void ReportShortcutFailure(const std::string& name) { vk::PlainBox(std::string(msg::CannotCreateShortcut) + name); }

}  // namespace

void TWizard::FinishSetup() {
    WriteInstallRecord();
    const std::string destination = EditLocation->Text();

    if (CK_DesktopIcon->Checked()) {
        // Without a desktop path the link would be "\Vaskel.lnk", the root of the current drive.
        const std::string desktop = GetDesktopFolder();
        if (desktop.empty())
            ReportShortcutFailure(ShortcutName(kDesktopLink));
        else
            CreateShortcut(destination + kMainTarget, desktop + kDesktopLink, kDesktopDescription);
    }

    if (CK_Menu->Checked() && CreateProgramGroup(kGroupName)) {
        // By component digit: the core always, the others as their boxes stand.
        const bool chosen[] = {false, true, CK_VaskelSim->Checked(), CK_DocEn->Checked(), CK_DocPt->Checked()};
        for (const GroupShortcut& s : kGroupShortcuts)
            if (chosen[s.component - '0']) CreateGroupShortcut(s.name, destination + s.target, kGroupName);
    }

    OpenProgramGroup(kGroupName);
}

std::string TWizard::GetDesktopFolder() {
    return host::SpecialFolderPath(vk::Application.MainForm()->Handle(), CSIDL_DESKTOPDIRECTORY).value_or("");
}

bool TWizard::CreateShortcut(const std::string& target, const std::string& shortcutFile,
                             const std::string& description) {
    if (host::WriteShellLink(target, shortcutFile, description, SW_SHOW)) return true;
    ReportShortcutFailure(ShortcutName(shortcutFile));
    return false;
}

bool TWizard::CreateProgramGroup(const std::string& groupName) {
    // No Programs path: creating "\Vaskel" would land in the current drive's root.
    const std::optional<std::string> programs = host::SpecialFolderPath(Handle(), CSIDL_PROGRAMS);
    if (!programs || !CreateFolderPath(*programs + "\\" + groupName)) {
        vk::PlainBox(std::string(msg::CannotCreateGroup) + groupName);
        return false;
    }
    return true;
}

bool TWizard::CreateGroupShortcut(const std::string& name, const std::string& target, const std::string& groupName) {
    const std::optional<std::string> programs = host::SpecialFolderPath(Handle(), CSIDL_PROGRAMS);
    if (!programs) {
        ReportShortcutFailure(name);
        return false;
    }
    const std::string shortcutFile = *programs + "\\" + groupName + "\\" + name + kLinkExtension;
    // Encloses the link writer's own initialisation, which is then a nested one.
    host::ComApartment apartment;
    return CreateShortcut(target, shortcutFile, name);
}

bool TWizard::OpenProgramGroup(const std::string& groupName) {
    // The window is a courtesy: without a Programs path there is nothing to show.
    if (const std::optional<std::string> programs = host::SpecialFolderPath(Handle(), CSIDL_PROGRAMS)) {
        // The window's process may start in our current folder and hold it open for
        // as long as it stays: start it in the system folder, which nobody removes.
        char previous[MAX_PATH] = "", system[MAX_PATH] = "";
        DWORD kept = GetCurrentDirectoryA(MAX_PATH, previous);
        if (GetSystemDirectoryA(system, MAX_PATH)) SetCurrentDirectoryA(system);
        host::OpenFolderWindow(Handle(), *programs + "\\" + groupName);
        if (kept > 0 && kept < MAX_PATH) SetCurrentDirectoryA(previous);
    }
    return true;
}
