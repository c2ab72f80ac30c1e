// Removal and repair: what the installation wrote, the shortcuts, the group and the record.
#include <windows.h>
#include <shlobj.h>

#include "Folders.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "InstallLayout.h"
#include "Messages.h"
#include "RemovalGuard.h"
#include "RemoveOwned.h"
#include "host/Shell.h"

namespace {

std::string Note(const std::string& folder, const std::string& why) {
    return std::string(msg::NotRemoved) + folder + " (" + why + ")";
}

}  // namespace

bool TWizard::RemoveFolderTree(const std::string& folder) {
    if (!FolderExists(folder)) return false;
    if (auto why = RemoveOwned(folder, InstalledTree())) removalNotes_.push_back(Note(folder, *why));
    return true;
}

bool TWizard::Uninstall() {
    removalNotes_.clear();
    Hide();
    FormInstall->SetCaption("Uninstalling...");
    FormInstall->Show();
    ReadInstallRecord();
    FormInstall->SetProgress(20);

    const std::string destination = EditLocation->Text();
    if (!baseFolderKnown_) {
        removalNotes_.push_back(Note(msg::InstallationFolder, msg::WhyUnknownFolder));
    } else if (auto why = WhyNotRemovable(destination, ShellSystemFolders())) {
        removalNotes_.push_back(Note(destination, *why));
    } else {
        RemoveFolderTree(destination);
    }
    FormInstall->SetProgress(70);

    if (CK_DesktopIcon->Checked()) {
        std::string desktop = GetDesktopFolder();
        if (!desktop.empty()) DeleteFileA((desktop + "\\Vaskel.lnk").c_str());
    }
    if (CK_Menu->Checked()) {
        // Without the Programs folder there is no group to find: nothing else may go.
        if (auto programs = host::SpecialFolderPath(Handle(), CSIDL_PROGRAMS)) {
            const std::string group = *programs + "\\" + kGroupName;
            if (auto why = RemoveOwned(group, GroupTree())) removalNotes_.push_back(Note(group, *why));
        }
    }
    FormInstall->SetProgress(90);
    DeleteInstallRecord(RegistryBase);
    FormInstall->SetProgress(100);
    return true;
}

bool TWizard::Repair() {
    Uninstall();
    return InstallFiles();
}

std::string TWizard::RemovalReport(const char* closing) const {
    std::string text = closing;
    for (const auto& note : removalNotes_) text += "\r\n\r\n" + note + ".";
    return text;
}
