// What the finished installation cannot show from outside: the calls made to
// the shell and COM, and special-folder lookups failing one kind at a time.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Application.h"
#include "BoxWatcher.h"
#include "Files.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "Mainform.h"
#include "Messages.h"
#include "ShellWatch.h"
#include "host/ComPtr.h"
#include "host/Shell.h"

namespace {

const char kProduct[] = "Software\\Kestrelmoor\\Vaskel";

using files::Exists;
using files::NamesIn;
using files::RemoveTree;

struct Link {
    std::string target = "deadbeef", description = "deadbeef";
    DWORD show = 0xdeadbeef;
};

// Read back through the shell's own link object; the show command from the file.
Link ReadLink(const std::string& file) {
    Link link;
    host::ComApartment apartment;
    host::ComPtr<IShellLinkA> shell;
    host::ComPtr<IPersistFile> persist;
    std::wstring wide(file.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char text[MAX_PATH] = {};
    if (SUCCEEDED(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shell.put_void())) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, persist.put_void())) &&
        SUCCEEDED(persist->Load(wide.c_str(), STGM_READ))) {
        shell->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        link.target = text;
        shell->GetDescription(text, MAX_PATH);
        link.description = text;
    }
    HANDLE f = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    if (f == INVALID_HANDLE_VALUE || SetFilePointer(f, 0x3C, nullptr, FILE_BEGIN) != 0x3C ||
        !ReadFile(f, &link.show, 4, &read, nullptr) || read != 4)
        link.show = 0xdeadbeef;
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    return link;
}

// What is stored, allowing the one terminator the registry may add itself.
std::string Stored(const char* name) {
    test::RawValue value = test::RawRead(kProduct, name);
    if (value.status != ERROR_SUCCESS) return "(absent)";
    if (!value.bytes.empty() && value.bytes.back() == '\0') value.bytes.pop_back();
    return value.bytes;
}

std::vector<std::string> Texts(BoxWatcher& boxes) {
    std::vector<std::string> texts;
    for (const BoxWatcher::Seen& seen : boxes.Boxes()) texts.push_back(seen.Text);
    return texts;
}

// The wizard as it stands when it closes after an installation run.
class Finish : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        vk::Application.SetTitle("Vaskel Setup");
        vk::Application.CreateForm(MainWindow, "mainform.layout");
        vk::Application.CreateForm(Wizard, "wizard.layout");
        vk::Application.CreateForm(FormInstall, "installdlg.layout");
    }
    void SetUp() override {
        programs = host::SpecialFolderPath(nullptr, CSIDL_PROGRAMS).value_or("?");
        desktop = host::SpecialFolderPath(nullptr, CSIDL_DESKTOPDIRECTORY).value_or("?");
        ASSERT_EQ(programs.rfind("C:\\users\\", 0), 0u) << programs;  // inside the test prefix
        ASSERT_EQ(desktop.rfind("C:\\users\\", 0), 0u) << desktop;
        group = programs + "\\Vaskel";
        Clean();
        w = Wizard;
        w->CK_Install->SetChecked(true);
        w->EditLocation->SetText("C:\\Vaskel");
        w->ComponentList = "1235";
        Choose(true, false);
        Components(true, true, false);
    }
    void TearDown() override { Clean(); }
    void Clean() {
        RemoveTree(group);
        RemoveTree(desktop + "\\Vaskel.lnk");
        test::RawDeleteTree("Kestrelmoor");
    }
    void Choose(bool menu, bool icon) {
        w->CK_Menu->SetChecked(menu);
        w->CK_DesktopIcon->SetChecked(icon);
    }
    void Components(bool sim, bool en, bool pt) {
        w->CK_VaskelSim->SetChecked(sim);
        w->CK_DocEn->SetChecked(en);
        w->CK_DocPt->SetChecked(pt);
    }

    TWizard* w = nullptr;
    std::string programs, desktop, group;
};

TEST_F(Finish, TypicalChoicesWriteTheRecordThenTheGroupInOrderThenAskForItsWindow) {
    BoxWatcher boxes;
    test::ShellSeen seen;
    {
        test::ShellWatch watch;
        ASSERT_TRUE(watch.ok());
        w->FinishSetup();
        seen = watch.calls;
    }
    EXPECT_EQ(Texts(boxes), std::vector<std::string>{});
    EXPECT_EQ(Stored("Version"), "1.1");
    EXPECT_EQ(Stored("Components"), "1235");
    EXPECT_EQ(Stored("BaseFolder"), "C:\\Vaskel");
    EXPECT_EQ(Stored("Menu"), "1");
    EXPECT_EQ(Stored("Icon"), "0");

    EXPECT_EQ(seen.linkPaths, (std::vector<std::string>{group + "\\Vaskel.lnk", group + "\\Vaskel Sim.lnk",
                                                        group + "\\Help Documentation.lnk"}));
    // Each group link: an enclosing pair around the writer's own.
    std::vector<std::string> nested;
    for (int i = 0; i < 3; ++i) nested.insert(nested.end(), {"init", "init", "uninit", "uninit"});
    // The open request in an apartment of its own.
    nested.insert(nested.end(), {"init", "open", "uninit"});
    EXPECT_EQ(seen.com, nested);
    EXPECT_EQ(seen.linkCalls, (std::vector<std::string>{"path:C:\\Vaskel\\Vaskel.exe", "description:Vaskel", "show:5",
                                                        "path:C:\\Vaskel\\VaskelSim.exe", "description:Vaskel Sim",
                                                        "show:5", "path:C:\\Vaskel\\Help\\vaskelhelp.chm",
                                                        "description:Help Documentation", "show:5"}));

    const struct {
        const char* name;
        const char* target;
    } expected[] = {{"Vaskel", "C:\\Vaskel\\Vaskel.exe"},
                    {"Vaskel Sim", "C:\\Vaskel\\VaskelSim.exe"},
                    {"Help Documentation", "C:\\Vaskel\\Help\\vaskelhelp.chm"}};
    for (const auto& row : expected) {
        Link link = ReadLink(group + "\\" + row.name + ".lnk");
        EXPECT_EQ(link.target, row.target) << row.name;
        EXPECT_EQ(link.description, row.name);
        EXPECT_EQ(link.show, static_cast<DWORD>(SW_SHOW)) << row.name;
    }
    EXPECT_EQ(NamesIn(group).size(), 3u);
    EXPECT_FALSE(Exists(desktop + "\\Vaskel.lnk"));

    ASSERT_EQ(seen.opens.size(), 1u);
    EXPECT_EQ(seen.opens[0].owner, w->Handle());
    EXPECT_EQ(seen.opens[0].verb, "open");
    EXPECT_EQ(seen.opens[0].file, group);
    EXPECT_TRUE(seen.opens[0].noParameters);
    EXPECT_TRUE(seen.opens[0].noDirectory);
    EXPECT_EQ(seen.opens[0].show, SW_SHOWNOACTIVATE);
    for (const auto& [owner, csidl] : seen.lookups) {
        EXPECT_EQ(csidl, CSIDL_PROGRAMS);
        EXPECT_EQ(owner, w->Handle());
    }
}

TEST_F(Finish, DesktopIconWithoutMenuMakesOnlyTheDesktopLinkAndNoRequestForTheMissingGroup) {
    Choose(false, true);
    w->EditLocation->SetText("C:\\Apps\\Vaskel\\");
    BoxWatcher boxes;
    test::ShellSeen seen;
    {
        test::ShellWatch watch;
        w->FinishSetup();
        seen = watch.calls;
    }
    EXPECT_EQ(Texts(boxes), std::vector<std::string>{});
    EXPECT_EQ(Stored("Menu"), "0");
    EXPECT_EQ(Stored("Icon"), "1");
    EXPECT_EQ(Stored("BaseFolder"), "C:\\Apps\\Vaskel\\");
    EXPECT_EQ(seen.linkPaths, std::vector<std::string>{desktop + "\\Vaskel.lnk"});
    EXPECT_EQ(seen.com, (std::vector<std::string>{"init", "uninit"}));
    ASSERT_FALSE(seen.lookups.empty());
    EXPECT_EQ(seen.lookups[0], std::make_pair(MainWindow->Handle(), CSIDL_DESKTOPDIRECTORY));

    // The link object tidies the doubled separator away; what it is given keeps it.
    EXPECT_EQ(seen.linkCalls,
              (std::vector<std::string>{"path:C:\\Apps\\Vaskel\\\\Vaskel.exe",
                                        "description:Vaskel - Neural Networks Development Environment", "show:5"}));
    Link link = ReadLink(desktop + "\\Vaskel.lnk");
    EXPECT_EQ(link.target, "C:\\Apps\\Vaskel\\Vaskel.exe");
    EXPECT_EQ(link.description, "Vaskel - Neural Networks Development Environment");
    EXPECT_EQ(link.show, static_cast<DWORD>(SW_SHOW));
    EXPECT_FALSE(Exists(group));
    // The shell might answer a request for a missing folder with a box of its own.
    EXPECT_EQ(seen.opens.size(), 0u);
}

// The picker and the open request run where Windows requires a single-threaded apartment.
TEST_F(Finish, TheFolderPickerRunsInAnApartmentOfItsOwn) {
    test::ShellWatch watch;
    ASSERT_TRUE(watch.ok());
    w->ButtonSelectClick();
    EXPECT_EQ(watch.calls.com, (std::vector<std::string>{"init", "browse", "uninit"}));
    EXPECT_EQ(w->EditLocation->Text(), "C:\\Vaskel");
}

TEST_F(Finish, ALinkThatCannotBeSavedIsReportedByItsNameAndTheOthersAreWritten) {
    Choose(true, true);
    // Folders stand where two of the link files belong, so their saves fail.
    ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((group + "\\Vaskel Sim.lnk").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((desktop + "\\Vaskel.lnk").c_str(), nullptr));
    BoxWatcher boxes;
    {
        test::ShellWatch watch;  // answers the open request: no folder window outlives the test
        ASSERT_TRUE(watch.ok());
        w->FinishSetup();
    }
    EXPECT_EQ(Texts(boxes),
              (std::vector<std::string>{"Cannot create shortcut: Vaskel", "Cannot create shortcut: Vaskel Sim"}));
    EXPECT_EQ(ReadLink(group + "\\Vaskel.lnk").description, "Vaskel");
    EXPECT_EQ(ReadLink(group + "\\Help Documentation.lnk").description, "Help Documentation");

    EXPECT_FALSE(w->CreateGroupShortcut("Vaskel Sim", "C:\\Vaskel\\VaskelSim.exe", "Vaskel"));
    EXPECT_TRUE(w->CreateGroupShortcut("Vaskel", "C:\\Vaskel\\Vaskel.exe", "Vaskel"));
    EXPECT_EQ(boxes.Boxes().size(), 3u);
}

TEST_F(Finish, WithoutSpecialFolderPathsNothingLandsAtTheDriveRoot) {
    Choose(true, true);
    const std::string scratch = "C:\\ShortcutsTestCurrent";
    CreateDirectoryA(scratch.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.c_str()));
    RemoveTree("C:\\Vaskel.lnk");
    BoxWatcher boxes;
    test::ShellSeen seen;
    {
        test::ShellWatch watch;
        watch.calls.failing = {CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY};
        w->FinishSetup();
        EXPECT_FALSE(w->CreateGroupShortcut("Vaskel Sim", "C:\\Vaskel\\VaskelSim.exe", "Vaskel"));
        EXPECT_EQ(w->GetDesktopFolder(), "");
        seen = watch.calls;
    }
    SetCurrentDirectoryA("C:\\windows");  // the run's own start folder has no drive letter
    EXPECT_EQ(Texts(boxes), (std::vector<std::string>{"Cannot create shortcut: Vaskel", "Cannot create group: Vaskel",
                                                      "Cannot create shortcut: Vaskel Sim"}));
    EXPECT_EQ(Stored("Icon"), "1");  // the record is written regardless
    EXPECT_EQ(seen.linkPaths, std::vector<std::string>{});
    EXPECT_EQ(seen.opens.size(), 0u);
    EXPECT_FALSE(Exists("C:\\Vaskel.lnk"));
    EXPECT_FALSE(Exists("C:\\Vaskel\\Vaskel.lnk"));
    EXPECT_FALSE(Exists("C:\\Vaskel\\Vaskel Sim.lnk"));
    EXPECT_EQ(NamesIn(scratch), std::vector<std::string>{});
    EXPECT_TRUE(RemoveDirectoryA(scratch.c_str())) << GetLastError();
}

}  // namespace
