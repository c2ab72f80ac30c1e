#include "wizard_pages.h"

#include <commctrl.h>

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

Window WizardUi::Need(const Window& within, const Find& query, const char* what) const {
    Find q = query;
    q.visibleOnly = false;
    Window w = within.Child(q);
    if (!w && failure_.empty()) failure_ = std::string("no control ") + what;
    return w;
}

Window FindEdit(const Window& within, bool multiLine, bool hscroll) {
    for (const Window& w : within.Children(Find{.className = "Edit", .visibleOnly = false})) {
        const LONG_PTR s = w.Style();
        if (((s & ES_MULTILINE) != 0) == multiLine && ((s & WS_HSCROLL) != 0) == hscroll) return w;
    }
    return {};
}

Window WizardUi::NeedEdit(const Window& within, bool multiLine, bool hscroll, const char* what) const {
    const Window w = FindEdit(within, multiLine, hscroll);
    if (!w && failure_.empty()) failure_ = std::string("no control ") + what;
    return w;
}

bool WizardUi::Start() {
    if (!setup.Start()) {
        failure_ = setup.Failure();
        return false;
    }
    const Window& wizard = setup.wizard;
    tabs = Need(wizard, Find{.className = "SysTabControl32"}, "page control");
    if (const LRESULT n = SendMessageA(tabs.handle(), TCM_GETITEMCOUNT, 0, 0); n != 6) {
        if (failure_.empty()) failure_ = std::to_string(n) + " tabs, not 6";
        return false;
    }
    back = Need(wizard, Find{.text = "<< Back", .className = "Button"}, "Back");
    next = Need(wizard, Find{.text = kNext, .className = "Button"}, "Next");
    if (!next) {
        failure_.clear();
        next = Need(wizard, Find{.text = kFinish, .className = "Button"}, "Next (Finish)");
    }
    cancel = Need(wizard, Find{.text = "Cancel", .className = "Button"}, "Cancel");
    install = Need(tabs, Find{.text = "Install", .className = "Button"}, "Install");
    if (!install) return false;
    pages[0] = PageOf(install);
    const Window& init = pages[0];
    uninstall = Need(init, Find{.text = "Uninstall", .className = "Button"}, "Uninstall");
    modify = Need(init, Find{.text = "Modify / Repair", .className = "Button"}, "Modify / Repair");
    staticInstall = Need(init, Find{.text = "(Install Vaskel on your computer)", .className = "Static"}, "StaticText1");
    staticUninstall = Need(
        init, Find{.text = "(Completely uninstall Vaskel from your computer)", .className = "Static"}, "StaticText2");
    staticModify = Need(init, Find{.text = "(Add/remove/replace components)", .className = "Static"}, "StaticText3");
    FindShown();
    return failure_.empty();
}

// The page that holds a control, which may sit in a box on the page.
Window WizardUi::PageOf(const Window& control) const {
    HWND h = control.handle();
    while (h && GetParent(h) != tabs.handle()) h = GetParent(h);
    return Window(h);
}

// A page and its controls exist once it has been shown: a control only that page
// holds is looked for in the page control, as a user knows the page, and the
// page's other controls then on the page that holds it.
void WizardUi::FindShown() const {
    const auto inTabs = [&](const std::string& text) {
        return tabs.Child(Find{.text = text, .className = "Button", .visibleOnly = false});
    };
    const auto button = [&](size_t page, const std::string& text, const char* what) {
        return Need(pages[page], Find{.text = text, .className = "Button"}, what);
    };
    if (!agree && (agree = inTabs("I agree with the terms and conditions"))) {
        pages[1] = PageOf(agree);
        license = NeedEdit(pages[1], true, false, "MemoLicense");
    }
    if (!sim && (sim = inTabs("Vaskel Sim"))) {
        pages[2] = PageOf(sim);
        vaskel = button(2, "Vaskel - Neural Networks Development Environment", "CK_Vaskel");
        docEn = button(2, "Help Documentation and Tutorials in English", "CK_DocEn");
        docPt = button(2, "Help Documentation and Tutorials in Portuguese", "CK_DocPt");
        animate = button(2, kAnimate, "CK_Animate");
    }
    if (!typical && (typical = inTabs(kTypical))) {
        pages[3] = PageOf(typical);
        custom = button(3, kCustom, "RadioButton2");
        location = NeedEdit(pages[3], false, false, "EditLocation");
        choose = button(3, "Choose...", "ButtonSelect");
    }
    if (!menu && (menu = inTabs("Create Start Menu Program Group"))) {
        pages[4] = PageOf(menu);
        desktopIcon = button(4, "Create Desktop Icon", "CK_DesktopIcon");
    }
    if (!readme && (readme = FindEdit(tabs, true, true))) pages[5] = PageOf(readme);
}

Page WizardUi::Shown() const {
    FindShown();
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

bool WizardUi::Press(const Window& control) const {
    if (!control.Click() || !Settle(setup.wizard)) return false;
    FindShown();
    return true;
}

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
