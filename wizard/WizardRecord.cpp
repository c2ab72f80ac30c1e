// The installation record as the wizard's controls see it.
#include "Formwizard.h"
#include "InstallRecord.h"
#include "MessageBoxes.h"

bool TWizard::DetectInstallation() { return RecordExists(RegistryBase); }

void TWizard::WriteInstallRecord() {
    WriteRecord(RegistryBase, ComponentList, EditLocation->Text(), CK_Menu->Checked(), CK_DesktopIcon->Checked());
}

bool TWizard::ReadInstallRecord() {
    InstallRecordValues v;
    if (!ReadRecord(RegistryBase, v)) {
        // Whatever an earlier read vouched for, nothing vouches for it now.
        baseFolderKnown_ = false;
        recordLoaded_ = false;
        return false;
    }
    recordLoaded_ = true;
    ComponentList = v.Components;
    // A folder that cannot be trusted leaves the text as it was and is remembered as
    // not known, so that the removal deletes nothing on its word.
    if (v.BaseFolder) EditLocation->SetText(*v.BaseFolder);
    baseFolderKnown_ = v.BaseFolder.has_value();
    CK_Menu->SetChecked(v.Menu);
    CK_DesktopIcon->SetChecked(v.Icon);
    return true;
}

bool TWizard::DeleteInstallRecord(const std::string& makerKey) {
    DeleteRecordResult r = DeleteRecord(makerKey);
    if (r != DeleteRecordResult::Deleted) vk::PlainBox(DeleteRecordMessage(r, makerKey));
    return r == DeleteRecordResult::Deleted;
}
