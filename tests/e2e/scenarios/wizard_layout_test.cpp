// Every control where the design puts it at 96 DPI, of the kind it is designed
// as, and a screenshot of every page to look at.
#include "wizard_pages.h"
#include <cstdio>
#include <map>

using namespace wiz;

namespace {

enum class Kind { Tabs, Page, Label, StaticText, Push, Check, Radio, Group, Edit, Memo, Scroll, Image, Bevel };

struct Row {
    const char* name;
    const char* parent;  // nullptr: the wizard's client area
    Kind kind;
    std::string caption;  // matched exactly where the kind shows one
    int left, top, width, height;
};

// The design, in the order the layout nests it; page children relative to the page.
const Row kDesign[] = {
    {"TabSheet", nullptr, Kind::Tabs, "", 11, -25, 512, 289},
    {"StepInit", "TabSheet", Kind::Page, "", 0, 0, 0, 0},
    {"StepLicense", "TabSheet", Kind::Page, "", 0, 0, 0, 0},
    {"StepComponents", "TabSheet", Kind::Page, "", 0, 0, 0, 0},
    {"StepMode", "TabSheet", Kind::Page, "", 0, 0, 0, 0},
    {"StepIcons", "TabSheet", Kind::Page, "", 0, 0, 0, 0},
    {"StepReadme", "TabSheet", Kind::Page, "", 0, 0, 0, 0},
    {"ScrollBox1", "StepInit", Kind::Scroll, "", 4, 13, 297, 223},
    {"Image1", "ScrollBox1", Kind::Image, "", 0, 0, 0, 0},
    {"Label1", "StepInit", Kind::Label, "Welcome to Vaskel Setup Program", 312, 16, 168, 13},
    {"RadioGroup1", "StepInit", Kind::Group, "Choose an Option:", 312, 55, 184, 181},
    {"CK_Install", "StepInit", Kind::Radio, "Install", 337, 81, 56, 17},
    {"StaticText1", "StepInit", Kind::StaticText, "(Install Vaskel on your computer)", 355, 100, 109, 29},
    {"CK_Uninstall", "StepInit", Kind::Radio, "Uninstall", 337, 134, 72, 17},
    {"StaticText2", "StepInit", Kind::StaticText, "(Completely uninstall Vaskel from your computer)", 353, 151, 133,
     27},
    {"CK_Modify", "StepInit", Kind::Radio, "Modify / Repair", 337, 189, 113, 17},
    {"StaticText3", "StepInit", Kind::StaticText, "(Add/remove/replace components)", 353, 206, 105, 28},
    {"MemoLicense", "StepLicense", Kind::Memo, "", 16, 8, 441, 217},
    {"CK_Agree", "StepLicense", Kind::Check, "I agree with the terms and conditions", 16, 240, 193, 17},
    {"GroupBox5", "StepComponents", Kind::Group, "Select the components that should be installed on your computer:", 40,
     8, 425, 161},
    {"CK_Vaskel", "GroupBox5", Kind::Check, "Vaskel - Neural Networks Development Environment", 24, 32, 281, 17},
    {"CK_VaskelSim", "GroupBox5", Kind::Check, "Vaskel Sim", 24, 56, 97, 17},
    {"CK_DocEn", "GroupBox5", Kind::Check, "Help Documentation and Tutorials in English", 24, 80, 241, 17},
    {"CK_DocPt", "GroupBox5", Kind::Check, "Help Documentation and Tutorials in Portuguese", 24, 104, 257, 17},
    {"CK_Animate", "GroupBox5", Kind::Check, kAnimate, 24, 128, 385, 17},
    {"GroupBox2", "StepMode", Kind::Group, "Select Installation Mode:", 40, 24, 401, 97},
    {"CK_Normal", "GroupBox2", Kind::Radio, kTypical, 24, 32, 330, 17},
    {"RadioButton2", "GroupBox2", Kind::Radio, kCustom, 24, 64, 353, 17},
    {"GroupBox1", "StepMode", Kind::Group, "Choose Destination Folder:", 40, 136, 401, 105},
    {"EditLocation", "GroupBox1", Kind::Edit, "", 16, 40, 377, 21},
    {"ButtonSelect", "GroupBox1", Kind::Push, "Choose...", 318, 72, 75, 25},
    {"GroupBox4", "StepIcons", Kind::Group, "Icons and Shortcuts:", 40, 56, 353, 73},
    {"CK_Menu", "GroupBox4", Kind::Check, "Create Start Menu Program Group", 32, 24, 185, 17},
    {"CK_DesktopIcon", "GroupBox4", Kind::Check, "Create Desktop Icon", 32, 48, 129, 17},
    {"MemoReadme", "StepReadme", Kind::Memo, "", 16, 16, 441, 217},
    {"Bevel1", nullptr, Kind::Bevel, "", 16, 265, 497, 9},
    {"ButtonBack", nullptr, Kind::Push, "<< Back", 178, 273, 75, 25},
    {"ButtonNext", nullptr, Kind::Push, "Next >>", 253, 273, 75, 25},
    {"ButtonCancel", nullptr, Kind::Push, "Cancel", 438, 272, 75, 25},
};

bool HasCaption(Kind k) {
    return k == Kind::Label || k == Kind::StaticText || k == Kind::Push || k == Kind::Check || k == Kind::Radio ||
           k == Kind::Group;
}

// Whether a window is a control of this kind, by its class and style.
bool IsKind(const Window& w, Kind k) {
    const std::string cls = w.ClassName();
    const LONG_PTR s = w.Style();
    const LONG_PTR button = s & BS_TYPEMASK, stat = s & SS_TYPEMASK;
    switch (k) {
        case Kind::Tabs:
            return cls == "SysTabControl32";
        case Kind::Page:
            return true;  // told apart by their order
        case Kind::Label:
            return cls == "Static" && stat != SS_BITMAP && stat != SS_ETCHEDHORZ && stat != SS_OWNERDRAW;
        case Kind::StaticText:
            return cls == "Static" && stat == SS_LEFT;  // fixed size, wraps
        case Kind::Push:
            return cls == "Button" && button == BS_PUSHBUTTON;  // never a default button
        case Kind::Check:
            return cls == "Button" && (button == BS_AUTOCHECKBOX || button == BS_CHECKBOX);
        case Kind::Radio:
            return cls == "Button" && (button == BS_AUTORADIOBUTTON || button == BS_RADIOBUTTON);
        case Kind::Group:
            return cls == "Button" && button == BS_GROUPBOX;
        case Kind::Edit:
            return cls == "Edit" && !(s & ES_MULTILINE);
        case Kind::Memo:
            return cls == "Edit" && (s & ES_MULTILINE) && (s & ES_READONLY);
        case Kind::Scroll:
            return cls == "Static" && stat != SS_BITMAP && stat != SS_ETCHEDHORZ && stat != SS_OWNERDRAW &&
                   w.Text().empty();
        case Kind::Image:
            return cls == "Static" && stat == SS_BITMAP;
        case Kind::Bevel:
            return cls == "Static" &&
                   (stat == SS_ETCHEDHORZ || stat == SS_OWNERDRAW);  // drawn by the program: only its top line
    }
    return false;
}

std::vector<Window> DirectChildren(const Window& parent) {
    std::vector<Window> out;
    for (HWND h = GetWindow(parent.handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.emplace_back(h);
    return out;
}

// A rectangle relative to the parent's client area.
RECT Relative(const Window& w, const Window& parent) {
    RECT r = w.Rect();
    const RECT c = parent.ClientRect();
    OffsetRect(&r, -c.left, -c.top);
    return r;
}

std::string Describe(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%ld, %ld, %ld x %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return text;
}

class WizardLayout : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ForgetRecord());
        ASSERT_TRUE(ui.Start()) << ui.Failure();
    }
    void TearDown() override {
        if (ui.setup.app.Running() && ui.cancel.Enabled()) {
            EXPECT_TRUE(ui.setup.CancelAndExit()) << ui.setup.Failure();
        }
    }
    // A page's controls exist once it has been shown: Custom walks through all six,
    // ending on the read-me after the run.
    void WalkAllPages() { ASSERT_TRUE(ui.WalkTo(Page::Readme, true)) << "did not reach the read-me"; }
    void Finish() {
        ASSERT_TRUE(ui.next.Click());
        EXPECT_TRUE(ui.setup.app.WaitExit(10000));
    }
    // Finds every row's window; fails on a missing or ambiguous one.
    void Resolve() {
        std::map<std::string, int> pageIndex;
        for (const Row& row : kDesign) {
            SCOPED_TRACE(row.name);
            const Window parent = row.parent ? found[row.parent] : ui.setup.wizard;
            ASSERT_TRUE(parent) << "no parent " << (row.parent ? row.parent : "");
            // On the read-me, the last page, Next reads "Finish".
            const std::string caption = std::string(row.name) == "ButtonNext" ? ui.next.Text() : row.caption;
            std::vector<Window> candidates;
            for (const Window& w : DirectChildren(parent)) {
                if (!IsKind(w, row.kind)) continue;
                if (HasCaption(row.kind) && w.Text() != caption) continue;
                candidates.push_back(w);
            }
            if (row.kind == Kind::Page) {
                const int i = pageIndex[row.parent]++;
                ASSERT_LT(i, static_cast<int>(candidates.size()));
                found[row.name] = candidates[i];
                continue;
            }
            ASSERT_EQ(candidates.size(), 1u)
                << "controls of this kind and caption in " << (row.parent ? row.parent : "the wizard");
            found[row.name] = candidates[0];
        }
    }
    // Every control where the design puts it, scaled.
    void ExpectDesign(double scale) {
        const auto scaled = [scale](int v) { return static_cast<int>(v * scale + 0.5); };
        for (const Row& row : kDesign) {
            if (row.kind == Kind::Page || row.kind == Kind::Image) continue;
            SCOPED_TRACE(row.name);
            const Window parent = row.parent ? found[row.parent] : ui.setup.wizard;
            const RECT r = Relative(found[row.name], parent);
            EXPECT_NEAR(r.left, scaled(row.left), 1) << "at " << Describe(r);
            EXPECT_NEAR(r.top, scaled(row.top), 1) << "at " << Describe(r);
            EXPECT_NEAR(r.right - r.left, scaled(row.width), 1) << "at " << Describe(r);
            EXPECT_NEAR(r.bottom - r.top, scaled(row.height), 1) << "at " << Describe(r);
            // Nothing hangs out of its page or group, where it would be cut off.
            if (row.parent && row.kind != Kind::Tabs && std::string(row.parent) != "TabSheet") {
                const RECT c = parent.ClientRect();
                EXPECT_LE(r.right, c.right - c.left) << "cut off at the right: " << Describe(r);
                EXPECT_LE(r.bottom, c.bottom - c.top) << "cut off at the bottom: " << Describe(r);
            }
        }
    }
    WizardUi ui;
    std::map<std::string, Window> found;
};

TEST_F(WizardLayout, EveryControlStandsWhereTheDesignPutsIt) {
    ASSERT_NO_FATAL_FAILURE(WalkAllPages());
    ASSERT_NO_FATAL_FAILURE(Resolve());
    // The pages in the page control's order hold the controls of their names.
    EXPECT_TRUE(IsChild(found["StepInit"].handle(), ui.install.handle()));
    EXPECT_TRUE(IsChild(found["StepLicense"].handle(), ui.agree.handle()));
    EXPECT_TRUE(IsChild(found["StepComponents"].handle(), ui.sim.handle()));
    EXPECT_TRUE(IsChild(found["StepMode"].handle(), ui.location.handle()));
    EXPECT_TRUE(IsChild(found["StepIcons"].handle(), ui.menu.handle()));
    EXPECT_TRUE(IsChild(found["StepReadme"].handle(), ui.readme.handle()));

    ExpectDesign(1.0);
    // The picture starts at the scroll box's corner and covers it; the box cuts it off.
    const RECT box = found["ScrollBox1"].ClientRect(), image = found["Image1"].Rect();
    std::printf("image control %s, scroll box client %s\n", Describe(image).c_str(), Describe(box).c_str());
    EXPECT_EQ(image.left, box.left);
    EXPECT_EQ(image.top, box.top);
    EXPECT_GE(image.right, box.right);
    EXPECT_GE(image.bottom, box.bottom);

    // Every page takes the same area, and the tab row lies above the client area.
    const RECT client = ui.setup.wizard.ClientRect();
    const RECT first = found["StepInit"].Rect();
    std::printf("page area relative to the client: %s\n",
                Describe(Relative(found["StepInit"], ui.setup.wizard)).c_str());
    for (const char* name : {"StepLicense", "StepComponents", "StepMode", "StepIcons", "StepReadme"}) {
        const RECT r = found[name].Rect();
        EXPECT_TRUE(EqualRect(&r, &first)) << name << " " << Describe(r) << " vs " << Describe(first);
    }
    EXPECT_GE(first.top, client.top) << "the page starts above the client area";
    EXPECT_LE(first.bottom, found["Bevel1"].Rect().top) << "the page reaches under the line";
    EXPECT_FALSE(found["TabSheet"].Style() & WS_TABSTOP);
    Finish();
}

// Dragged onto a 144-DPI monitor, the wizard is told the new DPI and a
// suggested rectangle, as Windows tells it; the design is scaled by half, on the
// first page and on the pages shown after the move.
TEST_F(WizardLayout, OnA144DpiMonitorTheDesignIsScaledByHalf) {
    const RECT at = ui.setup.wizard.Rect();
    const RECT suggested{at.left - 100, at.top - 80, at.left - 100 + 816, at.top - 80 + 504};
    RemoteBuffer rect(ui.setup.app.Id(), sizeof suggested);
    ASSERT_TRUE(rect.Write(&suggested, sizeof suggested));
    ASSERT_TRUE(
        ui.setup.wizard.Send(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(rect.at()), nullptr));
    const RECT r = ui.setup.wizard.Rect();
    EXPECT_TRUE(EqualRect(&r, &suggested)) << Describe(r);
    ASSERT_NO_FATAL_FAILURE(WalkAllPages());
    ASSERT_NO_FATAL_FAILURE(Resolve());
    ExpectDesign(1.5);
    Settle(ui.setup.wizard);
    Sleep(300);
    SaveScreenshot("wizard-moved-to-144dpi");
    Finish();
}

TEST_F(WizardLayout, ScreenshotOfEveryPage) {
    // Custom visits all six pages; each shot is taken once the page shows.
    const std::pair<Page, const char*> pages[] = {{Page::Init, "1-init"},   {Page::License, "2-license"},
                                                  {Page::Mode, "3-mode"},   {Page::Components, "4-components"},
                                                  {Page::Icons, "5-icons"}, {Page::Readme, "6-readme"}};
    for (const auto& [page, shot] : pages) {
        ASSERT_TRUE(ui.WalkTo(page, true)) << "did not reach " << page;
        Settle(ui.setup.wizard);
        Sleep(300);
        EXPECT_TRUE(SaveScreenshot(shot));
    }
    Finish();
}

}  // namespace
