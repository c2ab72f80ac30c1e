#include "wizard_pages.h"
#include <sstream>

namespace wiz {

std::ostream& operator<<(std::ostream& out, Page page) {
    static const char* names[] = {"no page",        "several pages", "StepInit",  "StepLicense",
                                  "StepComponents", "StepMode",      "StepIcons", "StepReadme"};
    return out << names[static_cast<int>(page)];
}

std::ostream& operator<<(std::ostream& out, const View& v) {
    return out << v.page << ", Next \"" << v.next << "\" " << (v.nextOn ? "enabled" : "disabled") << ", Back "
               << (v.backOn ? "enabled" : "disabled") << ", Cancel " << (v.cancelOn ? "enabled" : "disabled");
}

std::string Differences(const Snapshot& before, const Snapshot& after) {
    std::ostringstream out;
    if (before.wizardVisible != after.wizardVisible)
        out << "wizard visible " << before.wizardVisible << " -> " << after.wizardVisible << "\n";
    if (before.controls.size() != after.controls.size())
        out << before.controls.size() << " controls -> " << after.controls.size() << "\n";
    for (size_t i = 0; i < before.controls.size() && i < after.controls.size(); ++i) {
        const ControlState &a = before.controls[i], &b = after.controls[i];
        if (a == b) continue;
        out << "#" << i << " " << a.className << " \"" << a.text.substr(0, 40) << "\": ";
        if (a.text != b.text) out << "text -> \"" << b.text.substr(0, 40) << "\" ";
        if (a.visible != b.visible) out << "visible " << a.visible << " -> " << b.visible << " ";
        if (a.enabled != b.enabled) out << "enabled " << a.enabled << " -> " << b.enabled << " ";
        if (a.check != b.check) out << "check " << a.check << " -> " << b.check;
        out << "\n";
    }
    return out.str();
}

Window WizardUi::Need(const Find& query, const char* what) {
    Find q = query;
    q.visibleOnly = false;
    Window w = setup.wizard.Child(q);
    if (!w && failure_.empty()) failure_ = std::string("no control ") + what;
    return w;
}

Window WizardUi::NeedEdit(bool multiLine, bool hscroll, const char* what) {
    for (const Window& w : setup.wizard.Children(Find{.className = "Edit", .visibleOnly = false})) {
        const LONG_PTR s = w.Style();
        if (((s & ES_MULTILINE) != 0) == multiLine && ((s & WS_HSCROLL) != 0) == hscroll) return w;
    }
    if (failure_.empty()) failure_ = std::string("no control ") + what;
    return {};
}

bool WizardUi::Start() {
    if (!setup.Start()) {
        failure_ = setup.Failure();
        return false;
    }
    tabs = Need(Find{.className = "SysTabControl32"}, "page control");
    for (HWND h = GetWindow(tabs.handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) pages.emplace_back(h);
    back = Need(Find{.text = "<< Back", .className = "Button"}, "Back");
    next = Need(Find{.text = kNext, .className = "Button"}, "Next");
    if (!next) {
        failure_.clear();
        next = Need(Find{.text = kFinish, .className = "Button"}, "Next (Finish)");
    }
    cancel = Need(Find{.text = "Cancel", .className = "Button"}, "Cancel");
    install = Need(Find{.text = "Install", .className = "Button"}, "Install");
    uninstall = Need(Find{.text = "Uninstall", .className = "Button"}, "Uninstall");
    modify = Need(Find{.text = "Modify / Repair", .className = "Button"}, "Modify / Repair");
    staticInstall = Need(Find{.text = "(Install Vaskel on your computer)", .className = "Static"}, "StaticText1");
    staticUninstall =
        Need(Find{.text = "(Completely uninstall Vaskel from your computer)", .className = "Static"}, "StaticText2");
    staticModify = Need(Find{.text = "(Add/remove/replace components)", .className = "Static"}, "StaticText3");
    license = NeedEdit(true, false, "MemoLicense");
    agree = Need(Find{.text = "I agree with the terms and conditions", .className = "Button"}, "CK_Agree");
    vaskel = Need(Find{.text = "Vaskel - Neural Networks Development Environment", .className = "Button"}, "CK_Vaskel");
    sim = Need(Find{.text = "Vaskel Sim", .className = "Button"}, "CK_VaskelSim");
    docEn = Need(Find{.text = "Help Documentation and Tutorials in English", .className = "Button"}, "CK_DocEn");
    docPt = Need(Find{.text = "Help Documentation and Tutorials in Portuguese", .className = "Button"}, "CK_DocPt");
    animate = Need(Find{.text = kAnimate, .className = "Button"}, "CK_Animate");
    typical = Need(Find{.text = kTypical, .className = "Button"}, "CK_Normal");
    custom = Need(Find{.text = kCustom, .className = "Button"}, "RadioButton2");
    location = NeedEdit(false, false, "EditLocation");
    choose = Need(Find{.text = "Choose...", .className = "Button"}, "ButtonSelect");
    menu = Need(Find{.text = "Create Start Menu Program Group", .className = "Button"}, "CK_Menu");
    desktopIcon = Need(Find{.text = "Create Desktop Icon", .className = "Button"}, "CK_DesktopIcon");
    readme = NeedEdit(true, true, "MemoReadme");
    if (pages.size() != 6 && failure_.empty()) failure_ = std::to_string(pages.size()) + " pages, not 6";
    return failure_.empty();
}

Page WizardUi::Shown() const {
    const std::pair<const Window*, Page> probes[] = {{&install, Page::Init},   {&agree, Page::License},
                                                     {&sim, Page::Components}, {&location, Page::Mode},
                                                     {&menu, Page::Icons},     {&readme, Page::Readme}};
    Page found = Page::None;
    for (const Window& p : pages) {
        if (!p.Visible()) continue;
        if (found != Page::None) return Page::Several;
        for (const auto& [control, page] : probes)
            if (IsChild(p.handle(), control->handle()) && control->Visible()) found = page;
    }
    return found;
}

View WizardUi::Now() const { return View{Shown(), next.Text(), next.Enabled(), back.Enabled(), cancel.Enabled()}; }

Snapshot WizardUi::Snap() const {
    Snapshot s;
    s.wizardVisible = setup.wizard.Visible();
    for (const Window& w : setup.wizard.Children(Find{.visibleOnly = false})) {
        ControlState c{w.ClassName(), w.Text(), w.Visible(), w.Enabled(), -1};
        if (c.className == "Button") c.check = w.CheckState();
        s.controls.push_back(c);
    }
    return s;
}

::testing::AssertionResult WizardUi::Shows(const View& expected, DWORD timeoutMs) const {
    if (WaitUntil([&] { return setup.wizard.Visible() && Now() == expected; }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the wizard shows " << Now() << (setup.wizard.Visible() ? "" : " (hidden)")
                                         << "\n   expected " << expected;
}

bool WizardUi::Press(const Window& control) const { return control.Click() && Settle(setup.wizard); }

MessageBoxWindow WizardUi::WaitBox(DWORD timeoutMs) const { return WaitMessageBox(setup.app.Id(), timeoutMs); }

bool WizardUi::NoBoxFor(DWORD ms) const {
    Settle(setup.wizard);
    return !WaitUntil([&] { return !MessageBoxes(setup.app.Id()).empty(); }, ms);
}

bool WizardUi::ClickCloseBox() const {
    // Read the close box off the wizard once it is back and at rest, as a user
    // would look for it before moving the mouse there.
    if (!WaitUntil([&] { return setup.wizard.Visible() && setup.wizard.Enabled(); })) return false;
    Settle(setup.wizard);
    const RECT r = setup.wizard.Rect();
    for (int y = r.top + 2; y < r.top + 40; y += 2) {
        for (int x = r.right - 2; x > r.right - 60; x -= 2) {
            DWORD_PTR hit = 0;
            if (!setup.wizard.Send(WM_NCHITTEST, 0, MAKELPARAM(x, y), &hit)) return false;
            // Three points in from the edge the hit was found at, in the box.
            if (hit == HTCLOSE) return ClickOn(setup.wizard, POINT{x - 3, y + 3});
        }
    }
    return false;
}

bool WizardUi::ClickFocus(const Window& control) const {
    const RECT r = control.Rect();
    return ClickOn(control, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}) &&
           WaitUntil([&] { return Focused(control); }, 2000);
}

bool WizardUi::AltF4() const { return PressKey(setup.wizard, VK_F4, {VK_MENU}); }

bool WizardUi::Focused(const Window& control) const { return FocusOf(setup.wizard).handle() == control.handle(); }

bool WizardUi::TabTo(const Window& control, std::string* visited) const {
    for (int i = 0; i < 16; ++i) {
        if (Focused(control)) return true;
        if (visited) {
            const Window f = FocusOf(setup.wizard);
            *visited += f.ClassName() + " \"" + f.Text().substr(0, 20) + "\" | ";
        }
        if (!PressKey(setup.wizard, VK_TAB)) return false;
    }
    return Focused(control);
}

bool WizardUi::WalkTo(Page page, bool customMode) {
    for (int guard = 0; guard < 8; ++guard) {
        const Page now = Shown();
        if (now == page) return true;
        switch (now) {
            case Page::License:
                if (!agree.Checked() && !Press(agree)) return false;
                break;
            case Page::Mode:
                if (customMode && !custom.Checked() && !Press(custom)) return false;
                break;
            case Page::Init:
            case Page::Components:
            case Page::Icons:
                break;
            default:
                return false;
        }
        const Page before = now;
        if (!Press(next)) return false;
        if (!WaitUntil([&] { return setup.wizard.Visible() && Shown() != before; })) return false;
    }
    return Shown() == page;
}

}  // namespace wiz
