#include "SetupSession.h"
#include "Environment.h"

namespace e2e {

bool SetupSession::Start(DWORD timeoutMs) {
    const ULONGLONG begin = GetTickCount64();
    if (!app.Start(SetupExe())) {
        failure_ = "CreateProcess of " + SetupExe() + " failed with " + std::to_string(app.Error());
        return false;
    }
    wizard = WaitTop(Find{.text = kWizardTitle, .pid = app.Id()}, timeoutMs);
    if (!wizard) {
        failure_ = app.Running() ? "no visible wizard window" : "the program ended at start";
        return false;
    }
    startMs_ = static_cast<DWORD>(GetTickCount64() - begin);
    backdrop = WaitTop(Find{.text = kBackdropTitle, .pid = app.Id()}, 2000);
    if (!backdrop) {
        failure_ = "no visible backdrop window";
        return false;
    }
    return true;
}

MessageBoxWindow SetupSession::PressCancel(DWORD timeoutMs) {
    Window cancel = wizard.Child(Find{.text = "Cancel", .className = "Button"});
    if (!cancel || !cancel.Click()) return {};
    return WaitMessageBox(app.Id(), timeoutMs);
}

bool SetupSession::CancelAndExit(DWORD timeoutMs) {
    if (!app.Running()) {
        failure_ = "the program is not running";
        return false;
    }
    MessageBoxWindow confirm = PressCancel();
    if (!confirm) {
        failure_ = "Cancel brought up no confirmation";
        return false;
    }
    if (confirm.Message() != kCancelQuestion || !confirm.Press("&Yes")) {
        failure_ = "unexpected confirmation: " + confirm.Message();
        return false;
    }
    if (!app.WaitExit(timeoutMs)) {
        failure_ = "the program did not end after Yes";
        return false;
    }
    if (app.ExitCode() != 0) {
        failure_ = "exit code " + std::to_string(app.ExitCode());
        return false;
    }
    return true;
}

}  // namespace e2e
