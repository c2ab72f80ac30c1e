#include "Application.h"
#include "Folders.h"
#include "Formwizard.h"
#include "Messages.h"
#include "host/Shell.h"

// A chosen parent folder becomes <folder>\Vaskel. Cancelling, or an item with no
// file-system path (a virtual folder such as My Computer), leaves the text alone.
void TWizard::ButtonSelectClick() {
    const host::FolderPick pick = host::BrowseForFolder(vk::Application.MainForm()->Handle(), msg::BrowseTitle);
    if (pick.choice != host::FolderChoice::Chosen) return;
    EditLocation->SetText(WithTrailingBackslash(pick.path) + "Vaskel");
}
