// Finish on a machine that gets in the way: a file where the group folder
// belongs, and a Desktop or Programs folder that is missing, read-only or a
// file. Each gets one clear message or a quiet skip, and no link or folder
// lands anywhere else.
#include "finish_road.h"
#include <shlobj.h>
#include <functional>
#include <set>

using namespace finish;

namespace {

// Every .lnk file and every "Vaskel" folder where a stray one could land.
std::set<std::string> Strays(const std::string& folder, int depth = 0) {
    std::set<std::string> found;
    for (const std::string& name : NamesIn(folder)) {
        const std::string path = folder + "\\" + name;
        const bool lnk = name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".lnk") == 0;
        if (lnk || _stricmp(name.c_str(), "Vaskel") == 0) found.insert(path);
        if (IsFolder(path) && depth < 16 && !(depth == 0 && _stricmp(name.c_str(), "windows") == 0)) {
            std::set<std::string> inner = Strays(path, depth + 1);
            found.insert(inner.begin(), inner.end());
        }
    }
    return found;
}

class FinishFailures : public ::testing::Test {
protected:
    void SetUp() override { CleanMachine(); }
    void TearDown() override {
        if (Window group = WaitGroupWindow(0)) group.Post(WM_CLOSE);
        CleanMachine();
    }
    // Walks the default installation (desktop icon on) to Finish and answers
    // every box with OK; returns the boxes' texts in order.
    std::vector<std::string> FinishWithBoxes() {
        std::vector<std::string> texts;
        Choices choices;
        choices.desktopIcon = true;
        if (!road.Walk(choices)) {
            ADD_FAILURE() << road.Failure();
            return texts;
        }
        while (road.setup.app.Running()) {
            MessageBoxWindow box = WaitMessageBox(road.setup.app.Id(), 3000);
            if (!box) continue;
            EXPECT_EQ(box.Caption(), "Vaskel Setup");
            EXPECT_EQ(box.Buttons(), std::vector<std::string>{"OK"});
            texts.push_back(box.Message());
            box.Press("OK");
            box.WaitGone();
        }
        EXPECT_TRUE(road.Ended()) << road.Failure();
        return texts;
    }
    // What a sound installation leaves in the group folder.
    void ExpectGroup() {
        EXPECT_EQ(NamesIn(GroupFolder()),
                  (std::vector<std::string>{"Help Documentation.lnk", "Vaskel Sim.lnk", "Vaskel.lnk"}));
        EXPECT_TRUE(IsLink(GroupFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", "Vaskel"));
    }
    void ExpectStraysOnly(const std::set<std::string>& expected) {
        std::set<std::string> found = Strays("C:");
        for (const std::string& path : found) EXPECT_TRUE(expected.count(path)) << "written: " << path;
        for (const std::string& path : expected) EXPECT_TRUE(found.count(path)) << "missing: " << path;
    }
    std::set<std::string> GroupLinks() {
        return {"C:\\Vaskel", GroupFolder(), GroupFolder() + "\\Vaskel.lnk", GroupFolder() + "\\Vaskel Sim.lnk",
                GroupFolder() + "\\Help Documentation.lnk"};
    }
    Road road;
};

TEST_F(FinishFailures, AFileWhereTheGroupBelongsIsReportedOnceAndNoGroupLinkIsWritten) {
    ASSERT_TRUE(MakeFile(GroupFolder()));
    EXPECT_EQ(FinishWithBoxes(), std::vector<std::string>{"Cannot create group: Vaskel"});
    EXPECT_FALSE(IsFolder(GroupFolder()));
    EXPECT_TRUE(HoldsText("Menu", "1"));
    EXPECT_TRUE(IsLink(DesktopFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", kLongDescription));
    ExpectStraysOnly({"C:\\Vaskel", GroupFolder(), DesktopFolder() + "\\Vaskel.lnk"});
}

// Without its folder there is no desktop link; the group is made exactly when
// the shell still gives Programs a path (Wine's shell then gives none, every
// lookup going through the desktop). Nothing lands at the drive root.
TEST_F(FinishFailures, AMissingDesktopSkipsTheLinkAndTheGroupWithTheirMessages) {
    ASSERT_TRUE(RemoveDirectoryA(DesktopFolder().c_str()));
    const bool programs = ShellHasPath(CSIDL_PROGRAMS);
    std::vector<std::string> boxes = {"Cannot create shortcut: Vaskel"};
    if (!programs) boxes.push_back("Cannot create group: Vaskel");
    EXPECT_EQ(FinishWithBoxes(), boxes);
    EXPECT_TRUE(HoldsText("Icon", "1"));
    EXPECT_EQ(IsFolder(GroupFolder()), programs);
    if (!programs) {
        EXPECT_FALSE(WaitGroupWindow(2000));
    }
    ExpectStraysOnly(programs ? GroupLinks() : std::set<std::string>{"C:\\Vaskel"});
}

TEST_F(FinishFailures, ADesktopThatIsAFileIsReportedAndTheGroupIsStillMade) {
    ASSERT_TRUE(RemoveDirectoryA(DesktopFolder().c_str()));
    ASSERT_TRUE(MakeFile(DesktopFolder()));
    EXPECT_EQ(FinishWithBoxes(), std::vector<std::string>{"Cannot create shortcut: Vaskel"});
    EXPECT_FALSE(IsFolder(DesktopFolder()));
    ExpectGroup();
    ExpectStraysOnly(GroupLinks());
}

// As on Windows, a folder's read-only attribute does not stop new files in it.
TEST_F(FinishFailures, AReadOnlyDesktopStillTakesTheLink) {
    ASSERT_TRUE(SetFileAttributesA(DesktopFolder().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(FinishWithBoxes(), std::vector<std::string>{});
    EXPECT_TRUE(IsLink(DesktopFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", kLongDescription));
    ExpectGroup();
    std::set<std::string> strays = GroupLinks();
    strays.insert(DesktopFolder() + "\\Vaskel.lnk");
    ExpectStraysOnly(strays);
}

// A Programs folder that is gone: where the shell still gives its path the
// group is made there, where it gives none (Wine) the group is reported; the
// desktop link is unaffected either way.
TEST_F(FinishFailures, AMissingProgramsIsReportedAndNothingElseIsWritten) {
    DeleteTree(ProgramsFolder());
    ASSERT_FALSE(Exists(ProgramsFolder()));
    const bool programs = ShellHasPath(CSIDL_PROGRAMS);
    EXPECT_EQ(FinishWithBoxes(),
              programs ? std::vector<std::string>{} : std::vector<std::string>{"Cannot create group: Vaskel"});
    EXPECT_EQ(Exists(ProgramsFolder()), programs);
    EXPECT_TRUE(IsLink(DesktopFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", kLongDescription));
    std::set<std::string> strays = programs ? GroupLinks() : std::set<std::string>{"C:\\Vaskel"};
    strays.insert(DesktopFolder() + "\\Vaskel.lnk");
    ExpectStraysOnly(strays);
}

TEST_F(FinishFailures, AProgramsThatIsAFileIsReportedAndNothingElseIsWritten) {
    DeleteTree(ProgramsFolder());
    ASSERT_TRUE(MakeFile(ProgramsFolder()));
    EXPECT_EQ(FinishWithBoxes(), std::vector<std::string>{"Cannot create group: Vaskel"});
    EXPECT_FALSE(IsFolder(ProgramsFolder()));
    EXPECT_TRUE(IsLink(DesktopFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", kLongDescription));
    ExpectStraysOnly({"C:\\Vaskel", DesktopFolder() + "\\Vaskel.lnk"});
}

TEST_F(FinishFailures, AReadOnlyProgramsStillTakesTheGroup) {
    ASSERT_TRUE(SetFileAttributesA(ProgramsFolder().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(FinishWithBoxes(), std::vector<std::string>{});
    ExpectGroup();
    std::set<std::string> strays = GroupLinks();
    strays.insert(DesktopFolder() + "\\Vaskel.lnk");
    ExpectStraysOnly(strays);
}

}  // namespace
