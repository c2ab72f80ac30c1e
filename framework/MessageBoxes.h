#pragma once
#include <string>

namespace vk {

// "Confirm", a question mark, "&Yes" (Enter) and "&No" (Esc, close box):
// true only when Yes was pressed.
bool ConfirmBox(const std::string& text);

// The application title as caption, no icon, one OK button.
void PlainBox(const std::string& text);

// The exception display: the title as caption, a stop icon, one OK button.
void StopBox(const std::string& text);

}  // namespace vk
