// Modify / Repair after an installation made by the program: the removal, the
// installation with the boxes as they stand, and the record written again when
// the wizard closes; a failed reinstallation goes on as an installation.
#include "removal_support.h"

#include <algorithm>
#include <map>

using namespace removal;

namespace {

constexpr char kSecond[] = "C:\\Vaskel2";
constexpr char kDocEn[] = "Help Documentation and Tutorials in English";

std::string In(const std::string& folder, const std::string& name) { return folder + "\\" + name; }

std::map<std::string, std::string> Contents(const std::string& folder) {
    std::map<std::string, std::string> bytes;
    for (const std::string& file : FilesBelow(folder)) bytes[file] = ReadBytes(In(folder, file)).value_or("?");
    return bytes;
}

class Repair : public ::testing::Test {
protected:
    void SetUp() override {
        CleanMachine({kSecond});
        ASSERT_TRUE(InstallByClicking({.desktopIcon = true}));
        installed = Contents(kDefaultFolder);
        ASSERT_EQ(installed.size(), TypicalFiles().size());
        // Damage the installation the way a repair is meant to mend.
        ASSERT_TRUE(WriteBytes(In(kDefaultFolder, "vaskel.ini"), "damaged"));
        ASSERT_TRUE(DeleteFileA(In(kDefaultFolder, "Tutorial\\sin.txt").c_str()));
        ASSERT_TRUE(WriteBytes(In(kDefaultFolder, "stray.txt"), "stray"));
    }
    void TearDown() override { CleanMachine({kSecond}); }
    std::map<std::string, std::string> installed;
};

TEST_F(Repair, UncheckedComponentsGoTheRestIsRewrittenAndRecordedAgain) {
    const std::optional<Record> before = ReadRecord();
    ASSERT_TRUE(before);
    ASSERT_EQ(before->at("Components"), "1235");
    Wizard w;
    ASSERT_TRUE(StartRepair(w));
    ASSERT_TRUE(w.SetBox("Vaskel Sim", false) && w.SetBox(kDocEn, false));
    ASSERT_TRUE(w.next.Click());
    RunSeen seen;
    ASSERT_TRUE(ConfirmAndFinish(w, kConfirmRepair, kUpdated, seen));
    EXPECT_EQ(seen.closing, kUpdated + NotRemoved(kDefaultFolder, "1 file that Vaskel Setup did not install"));
    EXPECT_TRUE(seen.otherBoxes.empty()) << seen.otherBoxes.front();
    EXPECT_TRUE(seen.exited && seen.exitCode == 0) << seen.exitCode;

    std::map<std::string, std::string> expected = installed;
    for (const char* gone : {"VaskelSim.exe", "vaskelsim.ini", "Help\\vaskelhelp.chm"}) expected.erase(gone);
    expected["stray.txt"] = "stray";  // the user's own
    EXPECT_TRUE(Contents(kDefaultFolder) == expected)
        << "files now: " << ::testing::PrintToString(FilesBelow(kDefaultFolder));
    EXPECT_EQ(ReadRecord(), (Record{{"Version", before->at("Version")},
                                    {"Components", "15"},
                                    {"BaseFolder", "C:\\Vaskel"},
                                    {"Menu", "1"},
                                    {"Icon", "1"}}));
    // The group was removed and made again, without the unchecked components' links.
    EXPECT_EQ(NamesIn(GroupFolder()), std::vector<std::string>{"Vaskel.lnk"});
    EXPECT_TRUE(Exists(DesktopLink()));
    EXPECT_TRUE(CloseGroupWindow(10000));
}

// Back from the components page reaches the licence page; Next from there
// goes the installation's way, over the folder as it stands, and the close
// records the installation.
TEST_F(Repair, BackToTheLicenceThenOnInstallsOverTheExistingFolder) {
    Wizard w;
    ASSERT_TRUE(StartRepair(w));
    ASSERT_TRUE(w.Press(w.back));
    Window agree = w.setup.wizard.WaitChild(Find{.text = "I agree with the terms and conditions"});
    ASSERT_TRUE(agree);
    EXPECT_TRUE(w.next.Enabled());
    EXPECT_EQ(w.next.Text(), "Finish");
    ASSERT_TRUE(w.Press(w.next));
    Window edit = w.setup.wizard.WaitChild(Find{.className = "Edit"});
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit.Text(), "C:\\Vaskel");
    ASSERT_TRUE(w.Press(w.next));
    ASSERT_TRUE(WaitForShortcutPage(w.setup));
    ASSERT_TRUE(FinishFromShortcutPage(w));

    std::map<std::string, std::string> expected = installed;
    expected["stray.txt"] = "stray";  // nothing was removed on this path
    EXPECT_TRUE(Contents(kDefaultFolder) == expected)
        << "files now: " << ::testing::PrintToString(FilesBelow(kDefaultFolder));
    const Record record = ReadRecord().value_or(Record{});
    EXPECT_EQ(record.count("Components") ? record.at("Components") : "", "1235");
    EXPECT_EQ(record.count("BaseFolder") ? record.at("BaseFolder") : "", "C:\\Vaskel");
    EXPECT_EQ(NamesIn(GroupFolder()),
              (std::vector<std::string>{"Help Documentation.lnk", "Vaskel Sim.lnk", "Vaskel.lnk"}));
    EXPECT_TRUE(CloseGroupWindow(10000));
}

// A read-only file survives the removal and then cannot be written again: the
// run's own message, no "updated", and from then on the wizard of a machine
// without an installation. Whatever folder is typed then, nothing is removed.
TEST_F(Repair, FailedReinstallationGoesOnAsAnInstallation) {
    const std::string locked = In(kDefaultFolder, "vaskelapi\\vaskelapi.h");
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryA(kSecond, nullptr) && WriteBytes(In(kSecond, "mine.txt"), "mine"));
    Wizard w;
    ASSERT_TRUE(StartRepair(w));
    ASSERT_TRUE(w.next.Click());
    MessageBoxWindow confirm = w.WaitBox();
    ASSERT_TRUE(confirm);
    EXPECT_EQ(confirm.Message(), kConfirmRepair);
    ASSERT_TRUE(confirm.Press("&Yes") && confirm.WaitGone());

    MessageBoxWindow failure = w.WaitBox(90000);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure.Message(), "Cannot write file: " + locked);
    EXPECT_EQ(failure.Caption(), "Vaskel Setup");
    ASSERT_TRUE(failure.Press("OK") && failure.WaitGone());

    Window edit;
    for (const Window& e : w.setup.wizard.Children(Find{.className = "Edit", .visibleOnly = false}))
        if (!(e.Style() & ES_MULTILINE)) edit = e;
    ASSERT_TRUE(edit) << "no destination field";
    ASSERT_TRUE(WaitUntil([&] { return Settle(w.setup.wizard) && w.setup.wizard.Visible() && edit.Visible(); }));
    EXPECT_EQ(edit.Text(), "C:\\Vaskel");
    EXPECT_EQ(w.next.Text(), "Next >>");
    EXPECT_TRUE(w.next.Enabled() && w.back.Enabled() && w.cancel.Enabled());
    EXPECT_FALSE(WaitUntil([&] { return !MessageBoxes(w.setup.app.Id()).empty(); }, 1000)) << "a box after the failure";
    EXPECT_EQ(ReadRecord(), std::nullopt);

    // Back to the first page: only Install is offered now.
    ASSERT_TRUE(w.Press(w.back) && w.Press(w.back));
    const auto radio = [&](const char* text) {
        return w.setup.wizard.Child(Find{.text = text, .className = "Button"});
    };
    ASSERT_TRUE(WaitUntil([&] { return radio("Install").Visible(); }));
    EXPECT_TRUE(radio("Install").Enabled() && radio("Install").Checked());
    EXPECT_FALSE(radio("Uninstall").Enabled() || radio("Uninstall").Checked());
    EXPECT_FALSE(radio("Modify / Repair").Enabled() || radio("Modify / Repair").Checked());
    EXPECT_EQ(w.next.Text(), "Next >>");

    // The installation road into the user's folder, by the components page.
    ASSERT_TRUE(w.Press(w.next) && w.SetBox("I agree with the terms and conditions", true) && w.Press(w.next));
    ASSERT_TRUE(edit.ReplaceText(kSecond) && WaitUntil([&] { return edit.Text() == kSecond; }));
    ASSERT_TRUE(w.Press(radio("Custom (Let you choose the components to install)     Size: 2.0 - 4.2MB")));
    ASSERT_TRUE(w.Press(w.next) && WaitUntil([&] { return radio("Vaskel Sim").Visible(); }));
    EXPECT_EQ(w.next.Text(), "Next >>");
    ASSERT_TRUE(w.Press(w.next));
    ASSERT_TRUE(WaitForShortcutPage(w.setup));
    EXPECT_EQ(ReadRecord(), std::nullopt);
    ASSERT_TRUE(FinishFromShortcutPage(w));
    std::vector<std::string> expected = TypicalFiles();
    expected.push_back("mine.txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesBelow(kSecond), expected);
    const Record record = ReadRecord().value_or(Record{});
    EXPECT_EQ(record.count("BaseFolder") ? record.at("BaseFolder") : "", kSecond);
    EXPECT_EQ(record.count("Components") ? record.at("Components") : "", "1235");
    EXPECT_TRUE(CloseGroupWindow(10000));
}

}  // namespace
