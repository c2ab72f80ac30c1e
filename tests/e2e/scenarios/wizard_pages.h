// The wizard as the walks see it: its controls found once by class and caption,
// the page on show told by which controls are visible, and whole-window
// snapshots for "nothing changed".
#pragma once
#include <gtest/gtest.h>
#include "e2e.h"
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace wiz {

using namespace e2e;

inline constexpr char kNext[] = "Next >>";
inline constexpr char kFinish[] = "Finish";
inline constexpr char kInvalidFolder[] = "Invalid Installation Folder. Please choose another.";
inline constexpr char kConfirmUninstall[] =
    "This will completely remove Vaskel from your computer. Are you sure you want to continue?";
inline constexpr char kConfirmRepair[] =
    "This will update/repair the selected Vaskel components. Are you sure you want to continue?";
inline const std::string kTypical = "Typical (Install most common components)" + std::string(17, ' ') + "Size: 3.5MB";
inline const std::string kCustom =
    "Custom (Let you choose the components to install)" + std::string(5, ' ') + "Size: 2.0 - 4.2MB";
inline const std::string kAnimate = "Interactive Animated Help" + std::string(60, ' ') + "Size:";

enum class Page { None, Several, Init, License, Components, Mode, Icons, Readme };
std::ostream& operator<<(std::ostream& out, Page page);

// What the user reads off the window at a glance.
struct View {
    Page page = Page::None;
    std::string next;
    bool nextOn = false, backOn = false, cancelOn = false;
    bool operator==(const View&) const = default;
};
std::ostream& operator<<(std::ostream& out, const View& v);

struct ControlState {
    std::string className, text;
    bool visible = false, enabled = false;
    int check = -1;
    bool operator==(const ControlState&) const = default;
};

// Every control of the wizard, in creation order.
struct Snapshot {
    bool wizardVisible = false;
    std::vector<ControlState> controls;
    bool operator==(const Snapshot&) const = default;
};
// The controls that differ, for a failure message.
std::string Differences(const Snapshot& before, const Snapshot& after);

class WizardUi {
public:
    // Starts the program and finds the controls of the first page and of the form;
    // those of a later page are found once the page has been shown, as a user sees
    // them. Failure() says what is missing.
    bool Start();
    const std::string& Failure() const { return failure_; }

    Page Shown() const;
    View Now() const;
    Snapshot Snap() const;
    // Waits for the view, then reports it as an assertion.
    ::testing::AssertionResult Shows(const View& expected, DWORD timeoutMs = kDefaultWaitMs) const;
    // Clicks and waits until the wizard has handled the click.
    bool Press(const Window& control) const;
    // A message box of the program, or an empty one after the time.
    MessageBoxWindow WaitBox(DWORD timeoutMs = kDefaultWaitMs) const;
    // True when no message box has come up within the time.
    bool NoBoxFor(DWORD ms = 400) const;
    // Clicks the title bar's close box with the mouse.
    bool ClickCloseBox() const;
    bool AltF4() const;
    // Moves the keyboard focus by Tab until it rests on the control.
    bool TabTo(const Window& control, std::string* visited = nullptr) const;
    bool Focused(const Window& control) const;
    // A mouse click in the middle of the control, which takes the focus (and ticks a box).
    bool ClickFocus(const Window& control) const;

    // Next until the page, ticking the agreement on the way (installation path).
    bool WalkTo(Page page, bool custom = false);

    SetupSession setup;
    Window tabs, back, next, cancel;
    // In the page control's order; empty until the page has been shown.
    mutable std::vector<Window> pages = std::vector<Window>(6);
    Window install, uninstall, modify, staticInstall, staticUninstall, staticModify;
    // Empty until their page has been shown.
    mutable Window license, agree;
    mutable Window vaskel, sim, docEn, docPt, animate;
    mutable Window typical, custom, location, choose;
    mutable Window menu, desktopIcon;
    mutable Window readme;

private:
    // Finds the controls of the pages shown since the last look.
    void FindShown() const;
    Window PageOf(const Window& control) const;
    Window Need(const Window& within, const Find& query, const char* what) const;
    Window NeedEdit(const Window& within, bool multiLine, bool hscroll, const char* what) const;
    mutable std::string failure_;
};

using RecordValues = Record;

}  // namespace wiz
