#include <windows.h>

#include <string>

#include "Exception.h"
#include "Folders.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "InstallLayout.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "Payload.h"

namespace {

// Writes the rows of one component, in row order, by their relative names.
// Remembers the full path of the first file that could not be written.
void WriteComponent(char component, const std::string& destination, std::string& firstFailure) {
    for (const PayloadEntry& row : PayloadFiles) {
        if (row.Component != component) continue;
        if (!(*row.File)->WriteToFile(row.TargetPath) && firstFailure.empty())
            firstFailure = destination + row.TargetPath;
    }
}

// A relative name such as "Vaskel\" passes the wizard's check but has no parent to
// climb to, and CreateFolderPath raises for that. Escaping the run, the error would
// leave the wizard hidden behind the progress dialog; the user is asked for another
// folder instead, as for any destination that cannot be made.
bool MakeDestination(const std::string& destination) {
    try {
        return CreateFolderPath(destination);
    } catch (const vk::Exception&) {
        return false;
    }
}

}  // namespace

bool TWizard::InstallFiles() {
    Hide();
    // A repair arrives with the removal's caption still on the dialog.
    FormInstall->SetCaption("Installing...");
    FormInstall->Show();

    const std::string destination = WithTrailingBackslash(EditLocation->Text());
    if (!FolderExists(destination) && !MakeDestination(destination)) {
        vk::PlainBox(msg::CannotCreateDirectory);
        return false;
    }

    FormInstall->SetStatus("Creating Folders...");
    for (const char* sub : kSubFolders) CreateDirectoryA((destination + sub).c_str(), nullptr);

    FormInstall->SetStatus("Creating Core Files...");
    // The files go by relative name: if the destination cannot be made current
    // they would land in whatever folder happens to be current instead.
    if (!SetCurrentDirectoryA(destination.c_str())) {
        vk::PlainBox(msg::CannotCreateDirectory);
        return false;
    }
    ComponentList.assign(1, '1');  // the core is always written
    std::string firstFailure;
    WriteComponent('1', destination, firstFailure);

    FormInstall->SetStatus("Creating VaskelSim Files...");
    if (CK_VaskelSim->Checked()) {
        ComponentList += '2';
        WriteComponent('2', destination, firstFailure);
    }
    FormInstall->SetProgress(50);

    FormInstall->SetStatus("Creating Help Files...");
    if (CK_DocEn->Checked()) {
        ComponentList += '3';
        WriteComponent('3', destination, firstFailure);
    }
    FormInstall->SetProgress(60);

    if (CK_DocPt->Checked()) {
        ComponentList += '4';
        WriteComponent('4', destination, firstFailure);
    }
    FormInstall->SetProgress(80);

    FormInstall->SetStatus("Creating Interactive Help Files...");
    if (CK_Animate->Checked()) {
        ComponentList += '5';
        WriteComponent('5', destination, firstFailure);
    }
    FormInstall->SetProgress(100);

    if (!firstFailure.empty()) {
        vk::PlainBox(msg::CannotWriteFile + firstFailure);
        return false;
    }

    TabSheet->SetActivePage(StepIcons);
    FormInstall->Hide();
    Show();
    return true;
}
