#pragma once
#include <string>
#include <vector>

#include "Form.h"

// The setup wizard: six pages, the step machine behind Next and Back, and all
// setup logic (record, installation run, shortcuts, removal), one file per concern.
class TWizard : public vk::TForm {
public:
    TWizard();

    // Controls, in the order the form publishes them.
    vk::PageControl* TabSheet = nullptr;
    vk::Page* StepInit = nullptr;
    vk::Page* StepLicense = nullptr;
    vk::Page* StepComponents = nullptr;
    vk::Page* StepMode = nullptr;
    vk::Page* StepIcons = nullptr;
    vk::Page* StepReadme = nullptr;
    vk::Button* ButtonBack = nullptr;
    vk::Button* ButtonNext = nullptr;
    vk::Button* ButtonCancel = nullptr;
    vk::GroupBox* RadioGroup1 = nullptr;
    vk::RadioButton* CK_Install = nullptr;
    vk::RadioButton* CK_Uninstall = nullptr;
    vk::RadioButton* CK_Modify = nullptr;
    vk::Label* Label1 = nullptr;
    vk::Memo* MemoLicense = nullptr;
    vk::CheckBox* CK_Agree = nullptr;
    vk::GroupBox* GroupBox1 = nullptr;
    vk::Edit* EditLocation = nullptr;
    vk::Button* ButtonSelect = nullptr;
    vk::GroupBox* GroupBox2 = nullptr;
    vk::RadioButton* CK_Normal = nullptr;
    vk::RadioButton* RadioButton2 = nullptr;
    vk::StaticText* StaticText1 = nullptr;
    vk::StaticText* StaticText2 = nullptr;
    vk::StaticText* StaticText3 = nullptr;
    vk::GroupBox* GroupBox5 = nullptr;
    vk::CheckBox* CK_Vaskel = nullptr;
    vk::CheckBox* CK_VaskelSim = nullptr;
    vk::CheckBox* CK_DocEn = nullptr;
    vk::CheckBox* CK_DocPt = nullptr;
    vk::CheckBox* CK_Animate = nullptr;
    vk::Memo* MemoReadme = nullptr;
    vk::GroupBox* GroupBox4 = nullptr;
    vk::CheckBox* CK_Menu = nullptr;
    vk::CheckBox* CK_DesktopIcon = nullptr;
    vk::Bevel* Bevel1 = nullptr;
    vk::ScrollBox* ScrollBox1 = nullptr;
    vk::Image* Image1 = nullptr;

    // Own fields.
    bool AllowPageChange = false;
    int Step = 1;
    std::string ComponentList;
    std::string RegistryBase;

    // Event handlers (bound by name from the layout).
    void FormCreate();
    void ButtonNextClick();
    void ButtonBackClick();
    void ButtonCancelClick();
    void CK_AgreeClick();
    void CK_InstallClick();
    void CK_UninstallClick();
    void CK_ModifyClick();
    void TabSheetChanging(vk::EventArgs& e);
    void TabSheetEnter();
    void FormCanResize(vk::EventArgs& e);
    void FormCloseQuery(vk::EventArgs& e);
    void FormClose();
    void ButtonSelectClick();

    // Installation record.
    bool DetectInstallation();
    void WriteInstallRecord();
    bool ReadInstallRecord();
    bool DeleteInstallRecord(const std::string& makerKey);

    // Installation run.
    bool IsLocationValid();
    bool InstallFiles();

    // Shortcuts and program group.
    void FinishSetup();
    std::string GetDesktopFolder();
    bool CreateShortcut(const std::string& target, const std::string& shortcutFile, const std::string& description);
    bool CreateProgramGroup(const std::string& groupName);
    bool CreateGroupShortcut(const std::string& name, const std::string& target, const std::string& groupName);
    bool OpenProgramGroup(const std::string& groupName);

    // Removal and repair.
    bool Uninstall();
    bool Repair();
    // Removes what the installation wrote in the folder, the folder too once empty;
    // false when no such folder exists.
    bool RemoveFolderTree(const std::string& folder);
    // The closing message of a removal or repair, with a line for each folder left in place.
    std::string RemovalReport(const char* closing) const;

private:
    void ShowPage(vk::Page* page);
    // The first page's choice: Install alone without a record, Uninstall or
    // Modify / Repair with one.
    void OfferActions(bool installed);
    // The wizard closes itself (Finish, after a removal or repair): no question asked.
    void CloseWizard();
    // After a failed installation run: back on the destination page, buttons usable.
    void ReturnToDestination();
    void StartInstallation();

    bool closingItself_ = false;
    bool installCompleted_ = false;
    // True only while the last read of the record vouched for its "BaseFolder".
    bool baseFolderKnown_ = false;
    // True once the record was read into the controls, until it is known gone.
    bool recordLoaded_ = false;
    // What the last removal left in place, and why: lines for the closing message.
    std::vector<std::string> removalNotes_;
};

extern TWizard* Wizard;
