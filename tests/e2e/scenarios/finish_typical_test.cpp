// A default Typical installation clicked through to Finish, and the close box
// on the last two pages, which completes the installation the same way.
#include "finish_road.h"

using namespace finish;

namespace {

class TypicalInstall : public ::testing::Test {
protected:
    void SetUp() override { CleanMachine(); }
    void TearDown() override {
        if (Window group = WaitGroupWindow(0)) group.Post(WM_CLOSE);
        CleanMachine();
    }
    // Everything a default Typical installation leaves behind.
    void ExpectTypicalResult() {
        EXPECT_TRUE(HoldsText("Version", "1.1"));
        EXPECT_TRUE(HoldsText("Components", "1235"));
        EXPECT_TRUE(HoldsText("BaseFolder", "C:\\Vaskel"));
        EXPECT_TRUE(HoldsText("Menu", "1"));
        EXPECT_TRUE(HoldsText("Icon", "0"));
        EXPECT_EQ(NamesIn(GroupFolder()),
                  (std::vector<std::string>{"Help Documentation.lnk", "Vaskel Sim.lnk", "Vaskel.lnk"}));
        EXPECT_TRUE(IsLink(GroupFolder() + "\\Vaskel.lnk", "C:\\Vaskel\\Vaskel.exe", "Vaskel"));
        EXPECT_TRUE(IsLink(GroupFolder() + "\\Vaskel Sim.lnk", "C:\\Vaskel\\VaskelSim.exe", "Vaskel Sim"));
        EXPECT_TRUE(IsLink(GroupFolder() + "\\Help Documentation.lnk", "C:\\Vaskel\\Help\\vaskelhelp.chm",
                           "Help Documentation"));
        EXPECT_FALSE(Exists(DesktopFolder() + "\\Vaskel.lnk"));
        EXPECT_TRUE(WaitGroupWindow(10000)) << "no window for the group folder";
    }
    Road road;
};

TEST_F(TypicalInstall, FinishWritesTheRecordTheGroupAndOpensItsWindow) {
    ASSERT_TRUE(road.Walk({})) << road.Failure();
    ASSERT_TRUE(road.Ended()) << road.Failure();
    EXPECT_TRUE(MessageBoxes(road.setup.app.Id()).empty());
    ExpectTypicalResult();
}

TEST_F(TypicalInstall, TheCloseBoxOnTheShortcutPageFinishesTheSame) {
    ASSERT_TRUE(road.Walk({.end = Choices::End::CloseBoxOnShortcuts})) << road.Failure();
    ASSERT_TRUE(road.Ended()) << road.Failure();
    ExpectTypicalResult();
}

TEST_F(TypicalInstall, TheCloseBoxOnTheReadmePageFinishesTheSame) {
    ASSERT_TRUE(road.Walk({.end = Choices::End::CloseBoxOnReadme})) << road.Failure();
    ASSERT_TRUE(road.Ended()) << road.Failure();
    ExpectTypicalResult();
}

}  // namespace
