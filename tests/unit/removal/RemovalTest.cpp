#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <fstream>

#include "Application.h"
#include "BoxWatcher.h"
#include "Folders.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "InstallLayout.h"
#include "Mainform.h"
#include "Messages.h"
#include "Payload.h"
#include "Scratch.h"
#include "host/Registry.h"
#include "host/Shell.h"

namespace {

const char kMaker[] = "Software\\Kestrelmoor";

void Put(const std::string& path, DWORD attrs = FILE_ATTRIBUTE_NORMAL) {
    { std::ofstream(path, std::ios::binary) << "x"; }
    SetFileAttributesA(path.c_str(), attrs);
}

void PlantRecord(const std::string& folder, const char* menu, const char* icon) {
    host::RegKey key;
    ASSERT_TRUE(host::CreateKey(std::string(kMaker) + "\\Vaskel", key));
    host::SetTextValue(key.get(), "Version", "1.1");
    host::SetTextValue(key.get(), "Components", "1235");
    host::SetTextValue(key.get(), "BaseFolder", folder);
    host::SetTextValue(key.get(), "Menu", menu);
    host::SetTextValue(key.get(), "Icon", icon);
}

bool RecordExists() {
    host::RegKey key;
    return host::OpenKey(std::string(kMaker) + "\\Vaskel", key);
}

class Removal : public ::testing::Test {
protected:
    void SetUp() override {
        vk::Application.SetTitle("Vaskel Setup");
        if (!MainWindow) vk::Application.CreateForm(MainWindow, "mainform.layout");
        if (!Wizard) vk::Application.CreateForm(Wizard, "wizard.layout");
        if (!FormInstall) vk::Application.CreateForm(FormInstall, "installdlg.layout");
        w = Wizard;
        SetCurrentDirectoryA("C:\\");
        RemoveTree(root);
        CreateDirectoryA(root.c_str(), nullptr);
        desktop = host::SpecialFolderPath(nullptr, CSIDL_DESKTOPDIRECTORY).value();
        group = host::SpecialFolderPath(nullptr, CSIDL_PROGRAMS).value() + "\\Vaskel";
        RemoveTree(group);
        DeleteFileA((desktop + "\\Vaskel.lnk").c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryA("C:\\");
        RemoveTree(root);
        RemoveTree(group);
        DeleteFileA((desktop + "\\Vaskel.lnk").c_str());
        host::RegKey maker;
        if (host::OpenKey(kMaker, maker)) host::DeleteKeyTree(maker.get(), "Vaskel");
        FormInstall->Hide();
    }
    // The installed tree: every product file and sub-folder, some of them with
    // more attributes than a plain file or folder has.
    void MakeTree(const std::string& dest) {
        CreateDirectoryA(dest.c_str(), nullptr);
        for (const char* sub : kSubFolders) CreateDirectoryA((dest + "\\" + sub).c_str(), nullptr);
        for (const PayloadEntry& row : PayloadFiles) Put(dest + "\\" + row.TargetPath);
        SetFileAttributesA((dest + "\\vaskel.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((dest + "\\Help\\step1.swf").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        SetFileAttributesA((dest + "\\Help").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    }
    TWizard* w = nullptr;
    std::string root = "C:\\rmtest", desktop, group;
};

TEST_F(Removal, RemovesTheWholeTreeWhateverTheAttributes) {
    std::string dest = root + "\\Vaskel";
    MakeTree(dest);
    EXPECT_TRUE(w->RemoveFolderTree(dest + "\\"));  // one trailing backslash is allowed
    EXPECT_FALSE(Exists(dest));
    EXPECT_TRUE(Exists(root));
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_STREQ(cwd, root.c_str());  // the parent of the folder removed last
    EXPECT_FALSE(w->RemoveFolderTree(dest));
    Put(root + "\\file");
    EXPECT_FALSE(w->RemoveFolderTree(root + "\\file"));
    EXPECT_TRUE(Exists(root + "\\file"));
}

TEST_F(Removal, AReadOnlyFileStaysWithTheFoldersAboveIt) {
    std::string dest = root + "\\Vaskel";
    MakeTree(dest);
    SetFileAttributesA((dest + "\\lib\\bcb\\api\\vaskelapi_bcb.lib").c_str(), FILE_ATTRIBUTE_READONLY);
    w->RemoveFolderTree(dest);
    EXPECT_TRUE(Exists(dest + "\\lib\\bcb\\api\\vaskelapi_bcb.lib"));
    EXPECT_FALSE(Exists(dest + "\\lib\\bcb\\class"));
    EXPECT_FALSE(Exists(dest + "\\lib\\vcpp"));
    EXPECT_FALSE(Exists(dest + "\\Help"));
    EXPECT_FALSE(Exists(dest + "\\Vaskel.exe"));
}

TEST_F(Removal, UninstallTakesEverythingTheRecordNamesAndKeepsTheMakerKey) {
    std::string dest = root + "\\Vaskel";
    MakeTree(dest);
    CreateDirectoryA(group.c_str(), nullptr);
    Put(group + "\\Vaskel.lnk");
    Put(desktop + "\\Vaskel.lnk");
    PlantRecord(dest, "1", "1");
    w->Uninstall();
    EXPECT_FALSE(Exists(dest));
    EXPECT_FALSE(Exists(group));
    EXPECT_FALSE(Exists(desktop + "\\Vaskel.lnk"));
    EXPECT_FALSE(RecordExists());
    host::RegKey maker;
    EXPECT_TRUE(host::OpenKey(kMaker, maker));
    EXPECT_FALSE(w->Visible());
    EXPECT_TRUE(FormInstall->Visible());
    EXPECT_EQ(FormInstall->Caption(), "Uninstalling...");
    EXPECT_EQ(FormInstall->StateLabel->Text(), "Progress:");
    EXPECT_EQ(FormInstall->ProgressBar->Position(), 100);
    EXPECT_EQ(w->RemovalReport(msg::Removed), msg::Removed);
}

TEST_F(Removal, ShortcutsTheRecordSaysWereNotMadeAreLeftAlone) {
    std::string dest = root + "\\Vaskel";
    CreateDirectoryA(group.c_str(), nullptr);
    Put(group + "\\mine.lnk");
    Put(desktop + "\\Vaskel.lnk");
    PlantRecord(dest + "\\", "0", "0");  // the folder was deleted by hand already
    w->Uninstall();
    EXPECT_TRUE(Exists(group + "\\mine.lnk"));
    EXPECT_TRUE(Exists(desktop + "\\Vaskel.lnk"));
    EXPECT_FALSE(RecordExists());
    EXPECT_EQ(FormInstall->ProgressBar->Position(), 100);
}

TEST_F(Removal, RefusedFoldersStayAndTheClosingMessageSaysWhy) {
    Put("C:\\keep-me.txt");
    PlantRecord("C:\\", "0", "0");
    w->Uninstall();
    EXPECT_TRUE(Exists("C:\\keep-me.txt"));
    EXPECT_TRUE(Exists("C:\\windows\\system32"));
    EXPECT_FALSE(RecordExists());
    std::string report = w->RemovalReport(msg::Removed);
    EXPECT_EQ(report, std::string(msg::Removed) + "\r\n\r\n" + msg::NotRemoved + "C:\\ (" + msg::WhyRoot + ").");
    DeleteFileA("C:\\keep-me.txt");

    PlantRecord("C:\\windows", "0", "0");
    w->Uninstall();
    EXPECT_TRUE(Exists("C:\\windows\\system32"));
    EXPECT_NE(w->RemovalReport(msg::Removed).find(msg::WhySystemFolder), std::string::npos);
}

TEST_F(Removal, AFolderTheRecordCannotVouchForIsNeverRemoved) {
    std::string dest = root + "\\Vaskel";
    MakeTree(dest);
    w->EditLocation->SetText(dest);
    PlantRecord(std::string(300, 'x'), "0", "0");  // does not fit the read buffer
    w->Uninstall();
    EXPECT_TRUE(Exists(dest + "\\Vaskel.exe"));
    EXPECT_NE(w->RemovalReport(msg::Removed).find(msg::WhyUnknownFolder), std::string::npos);
}

// Only the installation's own files go; the user's stay, a name the code page
// cannot spell among them, and the closing message counts them.
TEST_F(Removal, WhatTheInstallationDidNotWriteStaysAndIsCounted) {
    std::string dest = root + "\\Vaskel";
    MakeTree(dest);
    Put(dest + "\\Tutorial\\mine.txt");
    CreateDirectoryA((dest + "\\lib\\projects").c_str(), nullptr);
    const std::wstring wide = std::wstring(dest.begin(), dest.end()) + L"\\\u4e2d.txt";
    CloseHandle(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    SetFileAttributesA((dest + "\\vaskel.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    PlantRecord(dest, "0", "0");
    w->Uninstall();
    EXPECT_TRUE(Exists(dest + "\\Tutorial\\mine.txt"));
    EXPECT_TRUE(Exists(dest + "\\lib\\projects"));
    EXPECT_TRUE(DeleteFileW(wide.c_str()));  // there, and gone before the next test
    EXPECT_FALSE(Exists(dest + "\\Tutorial\\sin.txt"));
    EXPECT_FALSE(Exists(dest + "\\lib\\bcb"));
    EXPECT_EQ(w->RemovalReport(msg::Removed), std::string(msg::Removed) + "\r\n\r\n" + msg::NotRemoved + dest +
                                                  " (2 files and 1 folder that Vaskel Setup did not install; " +
                                                  msg::WhyFilesLeft + ").");
}

TEST_F(Removal, WithoutARecordTheRemovalSaysSoAndStillFinishes) {
    BoxWatcher ok;
    w->Uninstall();
    auto boxes = ok.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, msg::ErrorOpeningKey);
    EXPECT_EQ(FormInstall->ProgressBar->Position(), 100);
}

}  // namespace
