#include "Folders.h"
#include "Formwizard.h"

// True when the text holds a backslash or a colon.
bool TWizard::IsLocationValid() { return LastSeparator(EditLocation->Text()) != std::string::npos; }
