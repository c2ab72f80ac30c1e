// Removal and repair: the destination tree, the shortcuts, the group and the record.
#include <windows.h>
#include <shlobj.h>

#include "Folders.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "Messages.h"
#include "RemovalGuard.h"
#include "host/Shell.h"

namespace {

// Owns a find handle.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() { if (h_ != INVALID_HANDLE_VALUE) FindClose(h_); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return h_; }

private:
    HANDLE h_;
};

std::string Note(const std::string& folder, const char* why) {
    return std::string(msg::NotRemoved) + folder + " (" + why + ")";
}

}  // namespace

bool TWizard::RemoveFolderTree(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_DIRECTORY)) return false;

    // A link (junction, symbolic link, mount point) is removed itself; what it
    // points to is not ours and is never entered.
    bool link = (attrs & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    // Files go by their bare names, so they must resolve in this folder and nowhere
    // else: a folder that cannot be made current is left as it is.
    if (!link && SetCurrentDirectoryA(path.c_str())) {
        WIN32_FIND_DATAA entry;
        FindHandle find(FindFirstFileA((path + "\\*").c_str(), &entry));
        if (find.Get() != INVALID_HANDLE_VALUE) {
            do {
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    if (lstrcmpA(entry.cFileName, ".") == 0 || lstrcmpA(entry.cFileName, "..") == 0) continue;
                    RemoveFolderTree(path + "\\" + entry.cFileName);
                } else {
                    DeleteFileA(entry.cFileName);
                }
            } while (FindNextFileA(find.Get(), &entry));
        }
    }
    SetCurrentDirectoryA(ParentFolder(path).c_str());
    RemoveDirectoryA(path.c_str());
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
        removalNotes_.push_back(Note(destination, why->c_str()));
    } else {
        RemoveFolderTree(destination);
        if (FolderExists(destination)) removalNotes_.push_back(Note(destination, msg::WhyFilesLeft));
    }
    FormInstall->SetProgress(70);

    if (CK_DesktopIcon->Checked()) {
        std::string desktop = GetDesktopFolder();
        if (!desktop.empty()) DeleteFileA((desktop + "\\Vaskel.lnk").c_str());
    }
    if (CK_Menu->Checked()) {
        // Without the Programs folder there is no group to find: nothing else may go.
        if (auto programs = host::SpecialFolderPath(Handle(), CSIDL_PROGRAMS)) {
            std::string group = *programs + "\\Vaskel";
            RemoveFolderTree(group);
            if (FolderExists(group)) removalNotes_.push_back(Note(group, msg::WhyFilesLeft));
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
