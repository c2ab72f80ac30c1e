// Operations whose real work lands with the record, installation, shortcut and
// removal code; until then they do nothing and report what the wizard expects.
#include "Formwizard.h"

bool TWizard::InstallFiles() { return true; }
void TWizard::ButtonSelectClick() {}
void TWizard::FinishSetup() {}
std::string TWizard::GetDesktopFolder() { return {}; }
bool TWizard::CreateShortcut(const std::string&, const std::string&, const std::string&) { return true; }
bool TWizard::CreateProgramGroup(const std::string&) { return true; }
bool TWizard::CreateGroupShortcut(const std::string&, const std::string&, const std::string&) { return true; }
bool TWizard::OpenProgramGroup(const std::string&) { return true; }
bool TWizard::Uninstall() { return true; }
bool TWizard::Repair() { return true; }
bool TWizard::RemoveFolderTree(const std::string&) { return false; }
