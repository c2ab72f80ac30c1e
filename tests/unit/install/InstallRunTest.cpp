#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Application.h"
#include "BoxWatcher.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "Mainform.h"
#include "Messages.h"
#include "Payload.h"
#include "Scratch.h"

namespace {

class Forms : public ::testing::Environment {
public:
    void SetUp() override {
        vk::Application.Initialize();
        vk::Application.SetTitle("Vaskel Setup");
        vk::Application.CreateForm(MainWindow, "mainform.layout");
        vk::Application.CreateForm(Wizard, "wizard.layout");
        vk::Application.CreateForm(FormInstall, "installdlg.layout");
    }
};
const auto* const forms = ::testing::AddGlobalTestEnvironment(new Forms);

const char* const kSubFolders[] = {
    "lib",       "lib\\bcb",    "lib\\vcpp", "lib\\bcb\\api", "lib\\bcb\\class", "lib\\vcpp\\api",
    "vaskelapi", "vaskelclass", "Help",      "Tutorial"};

long long PayloadSize(const PayloadEntry& row) {
    return static_cast<long long>((*row.File)->WordCount) * 4 + (*row.File)->TailLength;
}

// What the dialog's own controls were told, as their windows received it.
struct Seen {
    std::string event;       // "status:<text>" or "bar:<n>"
    bool portugueseWritten;  // the Portuguese help on disk at that moment
    bool dialogShown, wizardShown;
    std::string caption;
    int barBefore;  // the bar's position when the event arrived
};

struct Recorder {
    std::vector<Seen> seen;
    std::string portuguese;                            // full path of the Portuguese help
    std::function<void(const std::string&)> onStatus;  // runs as a status text arrives
    WNDPROC labelProc = nullptr, barProc = nullptr;

    void Note(std::string event) {
        seen.push_back({std::move(event), IsFile(portuguese), IsWindowVisible(FormInstall->Handle()) != 0,
                        IsWindowVisible(Wizard->Handle()) != 0, FormInstall->Caption(),
                        FormInstall->ProgressBar->Position()});
    }
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        for (const Seen& s : seen) events.push_back(s.event);
        return events;
    }
};
Recorder* recorder = nullptr;

LRESULT CALLBACK LabelProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_SETTEXT && recorder) {
        const std::string text = reinterpret_cast<const char*>(l);
        recorder->Note("status:" + text);
        if (recorder->onStatus) recorder->onStatus(text);
    }
    return CallWindowProcA(recorder->labelProc, h, m, w, l);
}

LRESULT CALLBACK BarProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == PBM_SETPOS && recorder) recorder->Note("bar:" + std::to_string(static_cast<int>(w)));
    return CallWindowProcA(recorder->barProc, h, m, w, l);
}

// The wizard as the Next handler leaves it just before the run, with the default
// component boxes and a destination inside a scratch folder.
class InstallRun : public ::testing::Test {
protected:
    void SetUp() override {
        w = Wizard;
        destination = scratch / "Vaskel";
        rec.portuguese = destination + "\\Help\\vaskelhelp_pt.chm";
        Select(true, true, false, true);
        w->EditLocation->SetText(destination);
        w->ComponentList = "earlier";
        w->AllowPageChange = false;
        w->TabSheet->SetActivePage(w->StepIcons);
        FormInstall->Hide();
        FormInstall->SetCaption("Installing...");
        w->Show();
        HWND label = FormInstall->StateLabel->Handle(), bar = FormInstall->ProgressBar->Handle();
        rec.labelProc =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelProc)));
        rec.barProc =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BarProc)));
        recorder = &rec;
    }
    void TearDown() override {
        SetWindowLongPtrA(FormInstall->StateLabel->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(rec.labelProc));
        SetWindowLongPtrA(FormInstall->ProgressBar->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(rec.barProc));
        recorder = nullptr;
        FormInstall->Hide();
    }
    void Select(bool sim, bool en, bool pt, bool animate) {
        w->CK_VaskelSim->SetChecked(sim);
        w->CK_DocEn->SetChecked(en);
        w->CK_DocPt->SetChecked(pt);
        w->CK_Animate->SetChecked(animate);
    }
    // Each row on disk exactly when its component is listed, at its full size.
    void ExpectFilesOf(const std::string& components) {
        int present = 0;
        for (const PayloadEntry& row : PayloadFiles) {
            const std::string path = destination + "\\" + row.TargetPath;
            if (components.find(row.Component) != std::string::npos) {
                EXPECT_EQ(FileSize(path), PayloadSize(row)) << path;
                ++present;
            } else {
                EXPECT_FALSE(IsFile(path)) << path;
            }
        }
        for (const char* sub : kSubFolders) EXPECT_TRUE(IsFolder(destination + "\\" + sub)) << sub;
    }
    std::string CurrentDirectory() {
        char cwd[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, cwd);
        return cwd;
    }

    Scratch scratch{"run"};
    std::string destination;
    Recorder rec;
    TWizard* w = nullptr;
};

TEST_F(InstallRun, TypicalWritesTheDefaultComponentsAndReturnsToTheWizard) {
    ASSERT_TRUE(w->InstallFiles());
    EXPECT_EQ(w->ComponentList, "1235");
    ExpectFilesOf("1235");
    EXPECT_EQ(CurrentDirectory() + "\\", destination + "\\");
    EXPECT_EQ(w->EditLocation->Text(), destination);  // the normalised copy is never written back
    EXPECT_TRUE(IsWindowVisible(w->Handle()));
    EXPECT_FALSE(IsWindowVisible(FormInstall->Handle()));
    EXPECT_EQ(w->TabSheet->ActivePage(), w->StepIcons);
}

TEST_F(InstallRun, EveryComponentAddsItsDigitInOrder) {
    Select(false, false, false, false);
    w->EditLocation->SetText(destination + "\\");  // the same folder, written either way
    ASSERT_TRUE(w->InstallFiles());
    EXPECT_EQ(w->ComponentList, "1");
    ExpectFilesOf("1");
    Select(true, false, true, false);
    ASSERT_TRUE(w->InstallFiles());
    EXPECT_EQ(w->ComponentList, "124");
    ExpectFilesOf("124");
    Select(true, true, true, true);
    ASSERT_TRUE(w->InstallFiles());
    EXPECT_EQ(w->ComponentList, "12345");
    ExpectFilesOf("12345");
}

TEST_F(InstallRun, StatusTextsAndBarPositionsComeInTheirOrderWhateverIsSelected) {
    const std::vector<std::string> expected = {"bar:0",  // the dialog was hidden: showing it resets the bar
                                               "status:Creating Folders...",
                                               "status:Creating Core Files...",
                                               "status:Creating VaskelSim Files...",
                                               "bar:50",
                                               "status:Creating Help Files...",
                                               "bar:60",
                                               "bar:80",
                                               "status:Creating Interactive Help Files...",
                                               "bar:100"};
    for (bool all : {true, false}) {
        rec.seen.clear();
        Select(all, all, all, all);
        ASSERT_TRUE(w->InstallFiles());
        EXPECT_EQ(rec.Events(), expected) << (all ? "all selected" : "none selected");
        for (const Seen& s : rec.seen) {
            EXPECT_TRUE(s.dialogShown) << s.event;
            EXPECT_FALSE(s.wizardShown) << s.event;
            EXPECT_EQ(s.caption, "Installing...") << s.event;
        }
    }
}

TEST_F(InstallRun, PortugueseHelpIsWrittenUnderTheHelpText) {
    Select(true, true, true, true);
    ASSERT_TRUE(w->InstallFiles());
    const std::vector<Seen>& seen = rec.seen;
    ASSERT_EQ(seen.size(), 10u);
    EXPECT_EQ(seen[5].event, "status:Creating Help Files...");
    EXPECT_EQ(seen[6].event, "bar:60");
    EXPECT_FALSE(seen[6].portugueseWritten);
    EXPECT_EQ(seen[7].event, "bar:80");
    EXPECT_TRUE(seen[7].portugueseWritten);
    EXPECT_EQ(FormInstall->StateLabel->Text(), "Creating Interactive Help Files...");
}

TEST_F(InstallRun, InARepairTheBarKeepsTheRemovalsPositionUntilFiftyAndTheCaptionIsRestored) {
    // What the removal leaves: the dialog shown, its caption changed, the bar full.
    w->Hide();
    FormInstall->SetCaption("Uninstalling...");
    FormInstall->Show();
    FormInstall->SetProgress(100);
    w->TabSheet->SetActivePage(w->StepComponents);
    rec.seen.clear();

    ASSERT_TRUE(w->InstallFiles());
    const std::vector<std::string> events = rec.Events();
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events.front(), "status:Creating Folders...");
    EXPECT_EQ(events[3], "bar:50");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(rec.seen[i].barBefore, 100) << events[i];
    for (const Seen& s : rec.seen) EXPECT_EQ(s.caption, "Installing...") << s.event;
    // Made directly by the program, so the page control's query does not stop it.
    EXPECT_EQ(w->TabSheet->ActivePage(), w->StepIcons);
    EXPECT_FALSE(IsWindowVisible(FormInstall->Handle()));
}

TEST_F(InstallRun, ADestinationThatCannotBeCreatedStopsBeforeAnything) {
    SetCurrentDirectoryA(scratch.Path().c_str());
    w->EditLocation->SetText("Q:\\Vaskel");
    BoxWatcher ok;
    EXPECT_FALSE(w->InstallFiles());
    const auto boxes = ok.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Vaskel Setup");
    EXPECT_EQ(boxes[0].Text, msg::CannotCreateDirectory);
    EXPECT_FALSE(boxes[0].HasIcon);
    EXPECT_EQ(w->ComponentList, "earlier");
    EXPECT_EQ(rec.Events(), std::vector<std::string>{"bar:0"});  // no status text at all
    EXPECT_EQ(CurrentDirectory(), scratch.Path());
    EXPECT_FALSE(IsFile(scratch / "Vaskel.exe"));
    EXPECT_FALSE(IsFolder(scratch / "lib"));
}

TEST_F(InstallRun, ARelativeNameWithoutAParentIsRefusedLikeAnyOther) {
    SetCurrentDirectoryA(scratch.Path().c_str());
    for (const char* text : {"Vaskel\\", "Vaskel\\Sub"}) {
        w->EditLocation->SetText(text);
        BoxWatcher ok;
        EXPECT_FALSE(w->InstallFiles()) << text;
        const auto boxes = ok.Boxes();
        ASSERT_EQ(boxes.size(), 1u) << text;
        EXPECT_EQ(boxes[0].Text, msg::CannotCreateDirectory) << text;
    }
    EXPECT_FALSE(IsFolder(scratch / "Vaskel"));
    EXPECT_EQ(w->ComponentList, "earlier");
}

TEST_F(InstallRun, ADestinationThatCannotBeMadeCurrentWritesNothingAnywhere) {
    const std::string elsewhere = scratch / "elsewhere";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    SetCurrentDirectoryA(elsewhere.c_str());
    // The folder goes away (a removed medium, another program) after it was made.
    rec.onStatus = [&](const std::string& text) {
        if (text == "Creating Core Files...") RemoveTree(destination);
    };
    BoxWatcher ok;
    EXPECT_FALSE(w->InstallFiles());
    const auto boxes = ok.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, msg::CannotCreateDirectory);
    EXPECT_EQ(w->ComponentList, "earlier");
    EXPECT_EQ(CurrentDirectory(), elsewhere);
    for (const PayloadEntry& row : PayloadFiles)
        EXPECT_FALSE(IsFile(elsewhere + "\\" + row.TargetPath)) << row.TargetPath;
    EXPECT_FALSE(IsFolder(destination));
}

TEST_F(InstallRun, AFileThatCannotBeWrittenIsNamedAfterTheOthersWereWritten) {
    ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((destination + "\\Help").c_str(), nullptr));
    // Files in use by another program, opened without sharing.
    auto hold = [&](const char* name) {
        return CreateFileA((destination + "\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           0, nullptr);
    };
    HANDLE ini = hold("vaskel.ini"), swf = hold("Help\\step3.swf");
    ASSERT_NE(ini, INVALID_HANDLE_VALUE);
    ASSERT_NE(swf, INVALID_HANDLE_VALUE);
    bool result = true;
    std::vector<BoxWatcher::Seen> boxes;
    {
        BoxWatcher ok;
        result = w->InstallFiles();
        boxes = ok.Boxes();
    }
    CloseHandle(ini);
    CloseHandle(swf);
    EXPECT_FALSE(result);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Vaskel Setup");
    EXPECT_EQ(boxes[0].Text, std::string(msg::CannotWriteFile) + destination + "\\vaskel.ini");
    EXPECT_FALSE(boxes[0].HasIcon);
    for (const PayloadEntry& row : PayloadFiles) {
        const std::string name = row.TargetPath;
        if (name == "vaskel.ini" || name == "Help\\step3.swf" || row.Component == '4') continue;
        EXPECT_EQ(FileSize(destination + "\\" + name), PayloadSize(row)) << name;
    }
    EXPECT_EQ(rec.Events().back(), "bar:100");
}

}  // namespace
