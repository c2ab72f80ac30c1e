#include <gtest/gtest.h>

#include <vector>

#include "Application.h"
#include "BoxWatcher.h"
#include "Exception.h"
#include "Form.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "JpegPicture.h"
#include "Mainform.h"
#include "Resources.h"

namespace {

// A small form of every behaviour the wizard relies on.
class ProbeForm : public vk::TForm {
public:
    vk::Button* Push = nullptr;
    vk::CheckBox* Box = nullptr;
    vk::RadioButton* R1 = nullptr;
    vk::RadioButton* R2 = nullptr;
    vk::RadioButton* R3 = nullptr;
    vk::PageControl* Pages = nullptr;
    vk::Page* P1 = nullptr;
    vk::Page* P2 = nullptr;
    vk::Button* Inner = nullptr;
    std::vector<std::string> calls;
    bool allowChange = false;
    bool throwOnPush = false;

    ProbeForm() {
        Field("Push", Push);
        Field("Box", Box);
        Field("R1", R1);
        Field("R2", R2);
        Field("R3", R3);
        Field("Pages", Pages);
        Field("P1", P1);
        Field("P2", P2);
        Field("Inner", Inner);
        On("PushClick", [this] {
            calls.push_back("Push");
            if (throwOnPush) throw vk::Exception("Boom");
        });
        On("BoxClick", [this] { calls.push_back(Box->Checked() ? "Box:on" : "Box:off"); });
        On("R1Click", [this] { calls.push_back("R1"); });
        On("R2Click", [this] { calls.push_back("R2"); });
        OnQuery("PagesChanging", [this](vk::EventArgs& e) {
            calls.push_back("Changing");
            e.Allow = allowChange;
        });
    }
};

const char kProbe[] =
    "form Probe caption=Probe width=300 height=200 border=dialog\n"
    "  button Push bounds=10,10,75,25 caption=Push onClick=PushClick\n"
    "  checkbox Box bounds=10,40,80,17 caption=Box onClick=BoxClick\n"
    "  radio R1 bounds=10,60,80,17 caption=One onClick=R1Click\n"
    "  radio R2 bounds=10,80,80,17 caption=Two onClick=R2Click\n"
    "  radio R3 bounds=10,100,80,17 caption=Three\n"
    "  pages Pages bounds=100,10,180,150 onChanging=PagesChanging\n"
    "    page P1 caption=A\n"
    "      button Inner bounds=5,5,60,20 caption=In\n"
    "    page P2 caption=B\n";

std::string LoadError(vk::TForm& form, const std::string& layout) {
    try {
        form.Load(layout);
    } catch (const vk::Exception& e) {
        return e.what();
    }
    return "";
}

RECT RelativeRect(vk::Control& c) {
    RECT r;
    GetWindowRect(c.Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(c.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST(FormLoading, EveryShippedLayoutMatchesItsClass) {
    TMainWindow main;
    TWizard wizard;
    TFormInstall install;
    EXPECT_EQ(LoadError(main, vk::LoadResourceText("mainform.layout")), "");
    EXPECT_EQ(LoadError(wizard, vk::LoadResourceText("wizard.layout")), "");
    EXPECT_EQ(LoadError(install, vk::LoadResourceText("installdlg.layout")), "");
    EXPECT_NE(wizard.Image1, nullptr);
    EXPECT_EQ(wizard.TabSheet->PageCount(), 6);
    // Windows are made when first needed; the designed page shows first, and the
    // pages made later stand in the layout's order, whatever order they came in.
    EXPECT_EQ(wizard.TabSheet->ActivePage(), wizard.StepInit);
    const HWND init = wizard.StepInit->Handle();
    EXPECT_EQ(GetWindow(wizard.TabSheet->Handle(), GW_CHILD), init);
    EXPECT_EQ(GetWindow(init, GW_HWNDNEXT), nullptr);
    const HWND mode = wizard.StepMode->Handle(), license = wizard.StepLicense->Handle();
    EXPECT_EQ(GetWindow(init, GW_HWNDNEXT), license);
    EXPECT_EQ(GetWindow(license, GW_HWNDNEXT), mode);
    // The controls of pages made later have the form's font, as those made with the form.
    const auto fontOf = [](vk::Control* c) { return SendMessageA(c->Handle(), WM_GETFONT, 0, 0); };
    EXPECT_NE(fontOf(wizard.ButtonNext), 0);
    EXPECT_EQ(fontOf(wizard.CK_Install), fontOf(wizard.ButtonNext));
    EXPECT_EQ(fontOf(wizard.CK_Agree), fontOf(wizard.ButtonNext));
    const char* order[] = {"StepInit", "StepLicense", "StepComponents", "StepMode", "StepIcons", "StepReadme"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(wizard.TabSheet->PageAt(i)->Name(), order[i]);
}

TEST(FormLoading, UnknownNamesFailLoudly) {
    {
        ProbeForm f;
        std::string bad = kProbe;
        bad.replace(bad.find("caption=Push"), 12, "caption=Push colour=red");
        EXPECT_NE(LoadError(f, bad).find("colour"), std::string::npos);
    }
    {
        ProbeForm f;
        std::string bad = kProbe;
        bad.replace(bad.find("PushClick"), 9, "PushClicked");
        EXPECT_NE(LoadError(f, bad).find("PushClicked"), std::string::npos);
    }
    {
        ProbeForm f;
        EXPECT_NE(LoadError(f, std::string(kProbe) + "  button Stranger bounds=1,1,1,1\n").find("Stranger"),
                  std::string::npos);
    }
    {
        ProbeForm f;
        std::string missing = kProbe;
        missing.erase(missing.find("  radio R3"), missing.find("  pages") - missing.find("  radio R3"));
        EXPECT_NE(LoadError(f, missing).find("R3"), std::string::npos);
    }
    {
        ProbeForm f;
        std::string wrong = kProbe;
        wrong.replace(wrong.find("checkbox Box"), 12, "button Box");
        EXPECT_NE(LoadError(f, wrong), "");
    }
}

TEST(FormLoading, WizardGeometryIsTheDesignedOneAt96Dpi) {
    TWizard w;
    w.Load(vk::LoadResourceText("wizard.layout"));
    ASSERT_EQ(w.Dpi(), 96);
    RECT outer;
    GetWindowRect(w.Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 544);
    EXPECT_EQ(outer.bottom - outer.top, 336);
    RECT cancel = RelativeRect(*w.ButtonCancel), next = RelativeRect(*w.ButtonNext);
    EXPECT_EQ(cancel.left, 438);
    EXPECT_EQ(cancel.top, 272);
    EXPECT_EQ(next.top, 273);
    EXPECT_EQ(next.right - next.left, 75);
    RECT install = RelativeRect(*w.CK_Install);
    EXPECT_EQ(install.left, 337);
    EXPECT_EQ(install.top, 81);
    RECT edit = RelativeRect(*w.EditLocation);  // inside its group box
    EXPECT_EQ(edit.left, 16);
    EXPECT_EQ(edit.top, 40);
    EXPECT_EQ(edit.right - edit.left, 377);
    EXPECT_EQ(w.EditLocation->Text(), "C:\\Vaskel");
    EXPECT_EQ(GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    std::string animate = w.CK_Animate->Text();
    EXPECT_EQ(animate, "Interactive Animated Help" + std::string(60, ' ') + "Size:");
}

TEST(FormLoading, ProgressDialogHasItsClientSizeAndRange) {
    TFormInstall d;
    d.Load(vk::LoadResourceText("installdlg.layout"));
    EXPECT_EQ(d.ClientWidth(), 264);
    EXPECT_EQ(d.ClientHeight(), 110);
    EXPECT_EQ(d.Caption(), "Installing...");
    EXPECT_EQ(d.StateLabel->Text(), "Progress:");
    RECT label = RelativeRect(*d.StateLabel);
    EXPECT_EQ(label.left, 25);
    EXPECT_EQ(label.top, 32);
    d.SetProgress(100);
    EXPECT_EQ(d.ProgressBar->Position(), 100);
    d.SetProgress(130);
    EXPECT_EQ(d.ProgressBar->Position(), 100);
}

// The width of the icon a window shows, 0 for none.
int IconWidth(HWND hwnd, WPARAM which) {
    ICONINFO info{};
    auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, which, 0));
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bm.bmWidth;
}

TEST(FormLoading, FormsCarryTheProgramsIconDrawnForTheirDpi) {
    // A dialog frame shows no class icon on Windows: the form must be given its own.
    TWizard w;
    w.Load(vk::LoadResourceText("wizard.layout"));
    ASSERT_EQ(w.Dpi(), 96);
    EXPECT_EQ(IconWidth(w.Handle(), ICON_SMALL), 16);
    EXPECT_EQ(IconWidth(w.Handle(), ICON_BIG), 32);
    RECT r;
    GetWindowRect(w.Handle(), &r);
    SendMessageA(w.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(IconWidth(w.Handle(), ICON_SMALL), 24);
    EXPECT_EQ(IconWidth(w.Handle(), ICON_BIG), 48);
}

TEST(FormLoading, ADamagedPictureFailsInTheDecodersOwnWords) {
    const unsigned char notJpeg[] = {'B', 'M', 0x36, 0x10, 0, 0};
    try {
        vk::DecodeJpeg(notJpeg, sizeof notJpeg, nullptr, nullptr);
        ADD_FAILURE() << "decoded";
    } catch (const vk::Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot read the picture: Not a JPEG file: starts with 0x42 0x4d");
    }
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override { f.Load(kProbe); }
    ProbeForm f;
};

TEST_F(Controls, CheckBoxRunsItsHandlerOnEveryChangeFromCode) {
    f.Box->SetChecked(true);
    f.Box->SetChecked(true);
    f.Box->SetChecked(false);
    EXPECT_EQ(f.calls, (std::vector<std::string>{"Box:on", "Box:off"}));
}

TEST_F(Controls, SelectingARadioButtonFromCodeActsAsAClick) {
    f.R1->SetChecked(true);
    f.R2->SetChecked(true);
    EXPECT_FALSE(f.R1->Checked());
    EXPECT_TRUE(f.R2->Checked());
    f.R2->SetChecked(true);  // already selected: no new click
    f.R3->SetChecked(true);
    EXPECT_FALSE(f.R2->Checked());
    EXPECT_EQ(f.calls, (std::vector<std::string>{"R1", "R2"}));
}

TEST_F(Controls, PageControlRefusesChangesItStartsWhileTheProgramMayChange) {
    EXPECT_EQ(f.Pages->ActivePage(), f.P1);
    EXPECT_FALSE(f.Pages->SelectNextPage(true));
    EXPECT_EQ(f.Pages->ActivePage(), f.P1);
    f.Pages->SetActivePage(f.P2);
    EXPECT_EQ(f.Pages->ActivePage(), f.P2);
    EXPECT_TRUE(IsWindowVisible(f.P2->Handle()) || !f.Visible());
    EXPECT_FALSE(f.P1->Visible());
    f.allowChange = true;
    EXPECT_TRUE(f.Pages->SelectNextPage(true));
    EXPECT_EQ(f.Pages->ActivePage(), f.P1);
    EXPECT_EQ(std::count(f.calls.begin(), f.calls.end(), "Changing"), 2);
}

TEST_F(Controls, KeyboardEnterAndEscPressNothingAndCtrlTabAsksThePageControl) {
    f.Show();
    f.Inner->SetFocus();
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG m{f.Push->Handle(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(vk::Application.PreTranslate(m));
    }
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG tab{f.Inner->Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(vk::Application.PreTranslate(tab));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(f.Pages->ActivePage(), f.P1);
    EXPECT_EQ(f.calls, (std::vector<std::string>{"Changing"}));
    f.Hide();
}

TEST_F(Controls, AnExceptionFromAHandlerIsShownAndTheFormGoesOn) {
    vk::Application.SetTitle("Vaskel Setup");
    f.throwOnPush = true;
    BoxWatcher watcher;
    SendMessageA(f.Push->Handle(), BM_CLICK, 0, 0);
    f.throwOnPush = false;
    SendMessageA(f.Push->Handle(), BM_CLICK, 0, 0);
    auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Vaskel Setup");
    EXPECT_EQ(boxes[0].Text, "Boom.");
    EXPECT_TRUE(boxes[0].HasIcon);
    EXPECT_EQ(boxes[0].Buttons, (std::vector<std::string>{"OK"}));
    EXPECT_EQ(f.calls, (std::vector<std::string>{"Push", "Push"}));
}

TEST_F(Controls, CloseRunsTheQueryThenTheCloseHandlerThenHides) {
    f.Show();
    ASSERT_TRUE(f.Visible());
    f.Close();  // no handlers bound: plain hide
    EXPECT_FALSE(f.Visible());
}

TEST_F(Controls, DisablingTheFocusedControlHandsTheFocusOn) {
    f.Show();
    f.Activate();
    f.Push->SetFocus();
    ASSERT_EQ(GetFocus(), f.Push->Handle());
    f.Push->SetEnabled(false);
    EXPECT_NE(GetFocus(), nullptr);
    EXPECT_NE(GetFocus(), f.Push->Handle());
    EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), f.Handle());
    // A multi-line edit's Tab arrives as a request to its parent to move the focus.
    HWND before = GetFocus();
    SendMessageA(f.Handle(), WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_NE(GetFocus(), before);
    f.Hide();
}
