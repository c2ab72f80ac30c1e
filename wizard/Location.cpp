#include <windows.h>

#include "Formwizard.h"

// True when the text holds a backslash or a colon that is not the second byte
// of a double-byte character.
bool TWizard::IsLocationValid() {
    const std::string text = EditLocation->Text();
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsDBCSLeadByte(c)) { ++i; continue; }
        if (c == '\\' || c == ':') return true;
    }
    return false;
}
