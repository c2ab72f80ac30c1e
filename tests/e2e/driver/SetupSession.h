// The setup program as every scenario meets it: started, its backdrop and
// wizard on the screen, and ended the clean way, by Cancel and "Yes".
#pragma once
#include "MessageBox.h"
#include "Process.h"
#include "Window.h"
#include <string>

namespace e2e {

inline constexpr char kBackdropTitle[] = "Vaskel Installation";
inline constexpr char kWizardTitle[] = "Vaskel Setup Wizard";
inline constexpr char kCancelQuestion[] = "Are you sure you want exit from Vaskel Setup?";

class SetupSession {
public:
    // Starts the program and waits for both windows; Failure() says what went wrong.
    bool Start(DWORD timeoutMs = 15000);
    // Cancel, "Yes" on the confirmation, and the process ends with exit code 0.
    bool CancelAndExit(DWORD timeoutMs = 10000);
    // The confirmation that Cancel brings up, or an empty window.
    MessageBoxWindow PressCancel(DWORD timeoutMs = kDefaultWaitMs);
    const std::string& Failure() const { return failure_; }
    // Milliseconds from CreateProcess to the wizard being visible.
    DWORD StartMs() const { return startMs_; }

    AppProcess app;
    Window backdrop;
    Window wizard;

private:
    std::string failure_;
    DWORD startMs_ = 0;
};

}  // namespace e2e
