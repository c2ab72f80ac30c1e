#include <gtest/gtest.h>

#include "Application.h"
#include "BoxWatcher.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "Mainform.h"
#include "Messages.h"
#include "host/RegKey.h"
#include "host/Registry.h"

namespace {

const char kMaker[] = "Software\\Kestrelmoor";

void DeleteRecord() {
    host::RegKey maker;
    if (host::OpenKey(kMaker, maker)) host::DeleteKeyTree(maker.get(), "Vaskel");
}

void PlantRecord(const std::string& folder, const char* menu, const char* icon) {
    host::RegKey key;
    ASSERT_TRUE(host::CreateKey(std::string(kMaker) + "\\Vaskel", key));
    host::SetTextValue(key.get(), "Version", "1.1");
    host::SetTextValue(key.get(), "Components", "12");
    host::SetTextValue(key.get(), "BaseFolder", folder);
    host::SetTextValue(key.get(), "Menu", menu);
    host::SetTextValue(key.get(), "Icon", icon);
}

// A fresh wizard as start-up makes it, on a machine with or without a record.
class WizardSteps : public ::testing::Test {
protected:
    void Start(bool recorded) {
        vk::Application.SetTitle("Vaskel Setup");
        DeleteRecord();
        if (recorded) PlantRecord("C:\\Recorded\\Place", "0", "1");
        if (!MainWindow) vk::Application.CreateForm(MainWindow, "mainform.layout");
        vk::Application.CreateForm(Wizard, "wizard.layout");
        if (!FormInstall) vk::Application.CreateForm(FormInstall, "installdlg.layout");
        w = Wizard;
        w->Show();
    }
    void TearDown() override {
        if (w) w->Hide();
        DeleteRecord();
        // Nothing here may end the application: a quit message would also end every later box.
        MSG m;
        EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
    vk::Page* Page() const { return w->TabSheet->ActivePage(); }
    void Next() { w->ButtonNextClick(); }
    void Back() { w->ButtonBackClick(); }

    TWizard* w = nullptr;
};

TEST_F(WizardSteps, WithoutARecordOnlyInstallIsOffered) {
    Start(false);
    EXPECT_EQ(w->Step, 1);
    EXPECT_EQ(w->RegistryBase, kMaker);
    EXPECT_TRUE(w->CK_Install->Enabled());
    EXPECT_TRUE(w->CK_Install->Checked());
    EXPECT_TRUE(w->StaticText1->Enabled());
    EXPECT_FALSE(w->CK_Uninstall->Enabled());
    EXPECT_FALSE(w->CK_Modify->Enabled());
    EXPECT_FALSE(w->StaticText2->Enabled());
    EXPECT_FALSE(w->StaticText3->Enabled());
    EXPECT_EQ(w->ButtonNext->Text(), "Next >>");
    EXPECT_EQ(Page(), w->StepInit);
}

TEST_F(WizardSteps, WithARecordUninstallIsSelectedAndModifyLoadsTheRecord) {
    Start(true);
    EXPECT_FALSE(w->CK_Install->Enabled());
    EXPECT_FALSE(w->StaticText1->Enabled());
    EXPECT_TRUE(w->CK_Uninstall->Checked());
    EXPECT_TRUE(w->CK_Modify->Enabled());
    EXPECT_EQ(w->ButtonNext->Text(), "Finish");
    {
        BoxWatcher no({IDNO});
        Next();  // the removal question, answered No
        ASSERT_EQ(no.Boxes().size(), 1u);
        EXPECT_EQ(no.Boxes()[0].Caption, "Confirm");
        EXPECT_EQ(no.Boxes()[0].Text, msg::ConfirmUninstall);
    }
    EXPECT_EQ(w->Step, 1);
    EXPECT_EQ(Page(), w->StepInit);
    EXPECT_TRUE(w->Visible());

    w->CK_Modify->SetChecked(true);
    EXPECT_EQ(w->ButtonNext->Text(), "Next >>");
    Next();
    EXPECT_EQ(w->Step, 4);
    EXPECT_EQ(Page(), w->StepComponents);
    EXPECT_EQ(w->ButtonNext->Text(), "Finish");
    EXPECT_EQ(w->EditLocation->Text(), "C:\\Recorded\\Place");
    EXPECT_FALSE(w->CK_Menu->Checked());
    EXPECT_TRUE(w->CK_DesktopIcon->Checked());
    EXPECT_EQ(w->ComponentList, "12");

    // Back from the repair path reaches the licence page; Next stays enabled, still "Finish".
    Back();
    EXPECT_EQ(w->Step, 2);
    EXPECT_EQ(Page(), w->StepLicense);
    EXPECT_TRUE(w->ButtonNext->Enabled());
    EXPECT_EQ(w->ButtonNext->Text(), "Finish");
    {
        BoxWatcher no({IDNO});
        Next();
        w->RadioButton2->SetChecked(true);
        Next();  // Custom: components page, repair still selected
        EXPECT_EQ(w->Step, 4);
        Next();  // the repair question, answered No
        ASSERT_EQ(no.Boxes().size(), 1u);
        EXPECT_EQ(no.Boxes()[0].Text, msg::ConfirmRepair);
    }
    EXPECT_EQ(w->Step, 4);
}

TEST_F(WizardSteps, LicenceAgreementGatesNextAndBackReturnsAsDesigned) {
    Start(false);
    w->CK_Agree->SetChecked(true);  // ticked earlier: Next at Step 1 unticks it
    Next();
    EXPECT_EQ(w->Step, 2);
    EXPECT_EQ(Page(), w->StepLicense);
    EXPECT_FALSE(w->CK_Agree->Checked());
    EXPECT_FALSE(w->ButtonNext->Enabled());
    SendMessageA(w->CK_Agree->Handle(), BM_CLICK, 0, 0);  // as the user ticks it
    EXPECT_TRUE(w->ButtonNext->Enabled());
    SendMessageA(w->CK_Agree->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(w->ButtonNext->Enabled());

    Back();  // to the first page: Next usable again
    EXPECT_EQ(w->Step, 1);
    EXPECT_EQ(Page(), w->StepInit);
    EXPECT_TRUE(w->ButtonNext->Enabled());

    Next();
    w->CK_Agree->SetChecked(true);
    Next();
    EXPECT_EQ(w->Step, 3);
    EXPECT_EQ(Page(), w->StepMode);
    EXPECT_TRUE(w->ButtonBack->Enabled());
    EXPECT_TRUE(w->ButtonCancel->Enabled());
    Back();
    EXPECT_EQ(Page(), w->StepLicense);
    Next();
    w->RadioButton2->SetChecked(true);
    Next();
    EXPECT_EQ(w->Step, 4);
    EXPECT_EQ(Page(), w->StepComponents);
    EXPECT_EQ(w->ButtonNext->Text(), "Next >>");
    Back();  // never back to the mode page
    EXPECT_EQ(w->Step, 2);
    EXPECT_EQ(Page(), w->StepLicense);
}

TEST_F(WizardSteps, AnUnacceptableDestinationChangesNothing) {
    Start(false);
    Next();
    w->CK_Agree->SetChecked(true);
    Next();
    for (const char* text : {"Vaskel", "", " ", "Program Files"}) {
        w->EditLocation->SetText(text);
        BoxWatcher ok;
        Next();
        auto boxes = ok.Boxes();
        ASSERT_EQ(boxes.size(), 1u) << text;
        EXPECT_EQ(boxes[0].Caption, "Vaskel Setup");
        EXPECT_EQ(boxes[0].Text, msg::InvalidFolder);
        EXPECT_FALSE(boxes[0].HasIcon);
        EXPECT_EQ(w->Step, 3);
        EXPECT_EQ(Page(), w->StepMode);
        EXPECT_EQ(w->EditLocation->Text(), text);
        EXPECT_TRUE(w->CK_Normal->Checked());
    }
    w->RadioButton2->SetChecked(true);
    w->EditLocation->SetText("C:\\Vaskel");
    Next();
    w->EditLocation->SetText("Vaskel");  // Step 4 on the installation path checks it again
    {
        BoxWatcher ok;
        Next();
        ASSERT_EQ(ok.Boxes().size(), 1u);
    }
    EXPECT_EQ(w->Step, 4);
}

TEST_F(WizardSteps, DestinationRuleIsABackslashOrAColon) {
    Start(false);
    for (const char* ok : {"C:\\Vaskel", "C:", "\\", "a:b", "\\\\server\\share"}) {
        w->EditLocation->SetText(ok);
        EXPECT_TRUE(w->IsLocationValid()) << ok;
    }
    for (const char* bad : {"Vaskel", "", " ", "Program Files"}) {
        w->EditLocation->SetText(bad);
        EXPECT_FALSE(w->IsLocationValid()) << bad;
    }
}

TEST_F(WizardSteps, PagesChangeOnlyThroughNextAndBack) {
    Start(false);
    EXPECT_FALSE(w->TabSheet->SelectNextPage(true));
    EXPECT_FALSE(w->TabSheet->SelectNextPage(false));
    EXPECT_EQ(Page(), w->StepInit);
    EXPECT_FALSE(w->AllowPageChange);
    Next();
    EXPECT_FALSE(w->AllowPageChange);
}

TEST_F(WizardSteps, ShortcutAndReadmePagesLockBackAndCancel) {
    Start(false);
    w->Step = 5;
    w->ButtonBack->SetEnabled(false);
    w->ButtonCancel->SetEnabled(false);
    Next();
    EXPECT_EQ(w->Step, 6);
    EXPECT_EQ(Page(), w->StepReadme);
    EXPECT_EQ(w->ButtonNext->Text(), "Finish");
    EXPECT_FALSE(w->ButtonBack->Enabled());
    EXPECT_FALSE(w->ButtonCancel->Enabled());
    Back();
    EXPECT_EQ(w->Step, 6);
}

TEST_F(WizardSteps, CancelAndAnEarlyCloseAskFirstAndNoKeepsEverything) {
    Start(false);
    Next();
    {
        BoxWatcher no({IDNO, IDNO});
        w->ButtonCancelClick();
        w->Close();  // the close box before anything was installed
        auto boxes = no.Boxes();
        ASSERT_EQ(boxes.size(), 2u);
        for (const auto& b : boxes) {
            EXPECT_EQ(b.Caption, "Confirm");
            EXPECT_EQ(b.Text, msg::ConfirmExit);
            EXPECT_TRUE(b.HasIcon);
        }
    }
    EXPECT_FALSE(vk::Application.Terminated());
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(w->Step, 2);
    EXPECT_EQ(Page(), w->StepLicense);
}

TEST_F(WizardSteps, TheWindowRefusesEveryNewSize) {
    Start(false);
    RECT before, after;
    GetWindowRect(w->Handle(), &before);
    SetWindowPos(w->Handle(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(w->Handle(), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace
