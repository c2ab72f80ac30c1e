// Operations whose real work lands with the record, installation, shortcut and
// removal code; until then they do nothing and report what the wizard expects.
#include "Formwizard.h"

bool TWizard::Uninstall() { return true; }
bool TWizard::Repair() { return true; }
bool TWizard::RemoveFolderTree(const std::string&) { return false; }
