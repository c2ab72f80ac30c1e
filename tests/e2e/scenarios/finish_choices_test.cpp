// The user's choices on the shortcut and component pages, as the finished
// installation shows them: desktop link instead of the group, the Portuguese
// help alone, a group folder already there, a destination typed with a
// trailing backslash.
#include "finish_road.h"

using namespace finish;

namespace {

class FinishChoices : public ::testing::Test {
protected:
    void SetUp() override { CleanMachine(); }
    void TearDown() override {
        if (Window group = WaitGroupWindow(0)) group.Post(WM_CLOSE);
        CleanMachine();
    }
    void Install(const Choices& choices) {
        ASSERT_TRUE(road.Walk(choices)) << road.Failure();
        ASSERT_TRUE(road.Ended()) << road.Failure();
        EXPECT_TRUE(MessageBoxes(road.setup.app.Id()).empty());
    }
    Road road;
};

TEST_F(FinishChoices, DesktopIconWithoutMenuMakesTheDesktopLinkAndNoGroup) {
    Install({.menu = false, .desktopIcon = true});
    EXPECT_TRUE(IsLink(DesktopFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", kLongDescription));
    EXPECT_TRUE(HoldsText("Menu", "0"));
    EXPECT_TRUE(HoldsText("Icon", "1"));
    EXPECT_FALSE(Exists(GroupFolder()));
    // The open request for the missing group fails without a word.
    EXPECT_FALSE(WaitGroupWindow(3000));
}

TEST_F(FinishChoices, OnlyThePortugueseHelpGivesTheMainAndThePortugueseLinks) {
    Install({.custom = true, .sim = false, .docEn = false, .docPt = true, .animate = false});
    EXPECT_TRUE(HoldsText("Components", "14"));
    const std::string portuguese = std::string(kPortuguese) + ".lnk";
    EXPECT_EQ(NamesIn(GroupFolder()), (std::vector<std::string>{portuguese, "Vaskel.lnk"}));
    // The name as the file system holds it, in UTF-16.
    const std::string group = GroupFolder();
    const std::wstring wide = std::wstring(group.begin(), group.end()) + L"\\Documenta\u00e7\u00e3o de Ajuda.lnk";
    EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(IsLink(GroupFolder() + "\\" + portuguese, "C:\\Vaskel\\Help\\vaskelhelp_pt.chm", kPortuguese));
    EXPECT_TRUE(IsLink(GroupFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", "Vaskel"));
    EXPECT_TRUE(WaitGroupWindow(10000));
}

TEST_F(FinishChoices, AnExistingGroupFolderTakesTheLinksWithoutAWord) {
    ASSERT_TRUE(CreateDirectoryA(GroupFolder().c_str(), nullptr));
    ASSERT_TRUE(MakeFile(GroupFolder() + "\\Notes.txt"));
    Install({});
    EXPECT_EQ(NamesIn(GroupFolder()),
              (std::vector<std::string>{"Help Documentation.lnk", "Notes.txt", "Vaskel Sim.lnk", "Vaskel.lnk"}));
    EXPECT_TRUE(IsLink(GroupFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", "Vaskel"));
}

// The targets are handed over with two backslashes in a row (the unit tests see
// that at the link object); Wine's link object stores the path canonicalised, so
// the files read back with one, and still name the installed files.
TEST_F(FinishChoices, ATrailingBackslashIsKeptInTheRecordAndTheLinksStillReachTheFiles) {
    Install({.location = "C:\\Vaskel\\", .desktopIcon = true});
    EXPECT_TRUE(HoldsText("BaseFolder", "C:\\Vaskel\\"));
    EXPECT_TRUE(IsLink(DesktopFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", kLongDescription));
    EXPECT_TRUE(IsLink(GroupFolder() + "\\Vaskel Sim.lnk", "C:\\Vaskel\\VaskelSim.exe", "Vaskel Sim"));
    EXPECT_TRUE(
        IsLink(GroupFolder() + "\\Help Documentation.lnk", "C:\\Vaskel\\Help\\vaskelhelp.chm", "Help Documentation"));
    for (const char* file : {"C:\\Vaskel\\Vaskel.exe", "C:\\Vaskel\\VaskelSim.exe", "C:\\Vaskel\\Help\\vaskelhelp.chm"})
        EXPECT_TRUE(Exists(file)) << file;
}

}  // namespace
