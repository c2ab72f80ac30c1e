// Message boxes of the program under test: the #32770 dialogs it owns.
#pragma once
#include "Window.h"
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

enum class BoxIcon { None, Stop, Question, Warning, Information, Unknown };
std::ostream& operator<<(std::ostream& out, BoxIcon icon);

class MessageBoxWindow : public Window {
public:
    MessageBoxWindow() = default;
    explicit MessageBoxWindow(const Window& w) : Window(w) {}
    std::string Caption() const { return Text(); }
    std::string Message() const;
    // Told apart by drawing each system icon and comparing with the screen;
    // Unknown when nothing is drawn (no X display) or nothing matches.
    BoxIcon Icon(DWORD timeoutMs = 2000) const;
    std::vector<std::string> Buttons() const;  // captions as shown, "&Yes"
    std::string DefaultButton() const;
    // Posts BM_CLICK to the button with this caption ("&Yes" or "Yes").
    bool Press(const std::string& caption) const;
    bool PressId(int id) const;
    // In the middle of the screen, to the pixel that halving allows.
    bool Centred() const;
};

std::vector<MessageBoxWindow> MessageBoxes(DWORD pid);
MessageBoxWindow WaitMessageBox(DWORD pid, DWORD timeoutMs = kDefaultWaitMs);

}  // namespace e2e
