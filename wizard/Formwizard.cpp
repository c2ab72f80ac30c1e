#include "Formwizard.h"

#include "Application.h"
#include "MessageBoxes.h"
#include "Messages.h"

TWizard* Wizard = nullptr;

TWizard::TWizard() {
    Field("TabSheet", TabSheet);
    Field("StepInit", StepInit);
    Field("StepLicense", StepLicense);
    Field("StepComponents", StepComponents);
    Field("StepMode", StepMode);
    Field("StepIcons", StepIcons);
    Field("StepReadme", StepReadme);
    Field("ButtonBack", ButtonBack);
    Field("ButtonNext", ButtonNext);
    Field("ButtonCancel", ButtonCancel);
    Field("RadioGroup1", RadioGroup1);
    Field("CK_Install", CK_Install);
    Field("CK_Uninstall", CK_Uninstall);
    Field("CK_Modify", CK_Modify);
    Field("Label1", Label1);
    Field("MemoLicense", MemoLicense);
    Field("CK_Agree", CK_Agree);
    Field("GroupBox1", GroupBox1);
    Field("EditLocation", EditLocation);
    Field("ButtonSelect", ButtonSelect);
    Field("GroupBox2", GroupBox2);
    Field("CK_Normal", CK_Normal);
    Field("RadioButton2", RadioButton2);
    Field("StaticText1", StaticText1);
    Field("StaticText2", StaticText2);
    Field("StaticText3", StaticText3);
    Field("GroupBox5", GroupBox5);
    Field("CK_Vaskel", CK_Vaskel);
    Field("CK_VaskelSim", CK_VaskelSim);
    Field("CK_DocEn", CK_DocEn);
    Field("CK_DocPt", CK_DocPt);
    Field("CK_Animate", CK_Animate);
    Field("MemoReadme", MemoReadme);
    Field("GroupBox4", GroupBox4);
    Field("CK_Menu", CK_Menu);
    Field("CK_DesktopIcon", CK_DesktopIcon);
    Field("Bevel1", Bevel1);
    Field("ScrollBox1", ScrollBox1);
    Field("Image1", Image1);

    On("FormCreate", [this] { FormCreate(); });
    On("ButtonNextClick", [this] { ButtonNextClick(); });
    On("ButtonBackClick", [this] { ButtonBackClick(); });
    On("ButtonCancelClick", [this] { ButtonCancelClick(); });
    On("CK_AgreeClick", [this] { CK_AgreeClick(); });
    On("CK_InstallClick", [this] { CK_InstallClick(); });
    On("CK_UninstallClick", [this] { CK_UninstallClick(); });
    On("CK_ModifyClick", [this] { CK_ModifyClick(); });
    On("TabSheetEnter", [this] { TabSheetEnter(); });
    On("FormClose", [this] { FormClose(); });
    On("ButtonSelectClick", [this] { ButtonSelectClick(); });
    OnQuery("TabSheetChanging", [this](vk::EventArgs& e) { TabSheetChanging(e); });
    OnQuery("FormCanResize", [this](vk::EventArgs& e) { FormCanResize(e); });
    OnQuery("FormCloseQuery", [this](vk::EventArgs& e) { FormCloseQuery(e); });
}

void TWizard::FormCreate() {
    Step = 1;
    AllowPageChange = false;
    RegistryBase = "Software\\Kestrelmoor";
    OfferActions(DetectInstallation());
}

void TWizard::OfferActions(bool installed) {
    if (!installed) recordLoaded_ = false;
    CK_Install->SetEnabled(!installed);
    StaticText1->SetEnabled(!installed);
    CK_Uninstall->SetEnabled(installed);
    CK_Modify->SetEnabled(installed);
    StaticText2->SetEnabled(installed);
    StaticText3->SetEnabled(installed);
    if (installed)
        CK_Uninstall->SetChecked(true);
    else
        CK_Install->SetChecked(true);
}

void TWizard::CK_AgreeClick() { ButtonNext->SetEnabled(CK_Agree->Checked()); }
void TWizard::CK_InstallClick() { ButtonNext->SetText("Next >>"); }
void TWizard::CK_UninstallClick() { ButtonNext->SetText("Finish"); }
void TWizard::CK_ModifyClick() { ButtonNext->SetText("Next >>"); }

void TWizard::TabSheetChanging(vk::EventArgs& e) { e.Allow = AllowPageChange; }

void TWizard::TabSheetEnter() {
    if (Active()) return;
    Activate();
    SetFocus();
}

void TWizard::FormCanResize(vk::EventArgs& e) { e.Allow = false; }

void TWizard::ButtonCancelClick() {
    if (vk::ConfirmBox(msg::ConfirmExit)) vk::Application.Terminate();
}

// Two closes would record what is not so: with Install chosen before the run (an
// installation that does not exist), and with Modify / Repair chosen before the
// record was read (the real record overwritten with defaults). Those are a Cancel;
// every other close goes on to FormClose, which writes back what it holds.
void TWizard::FormCloseQuery(vk::EventArgs& e) {
    if (closingItself_) return;
    const bool beforeRun = CK_Install->Checked() && !installCompleted_;
    const bool beforeRead = CK_Modify->Checked() && !recordLoaded_;
    if (!beforeRun && !beforeRead) return;
    e.Allow = false;
    ButtonCancelClick();
}

void TWizard::FormClose() {
    if (CK_Install->Checked())
        FinishSetup();
    else if (CK_Modify->Checked())
        FinishSetup();
    vk::Application.Terminate();
}

void TWizard::CloseWizard() {
    closingItself_ = true;
    Close();
}
