// Uninstall while the group's folder window that Finish opened is still open,
// as a user who never closed it would. Under Wine that window's process starts
// in the setup's current directory, the installation folder, and holds it.
#include "removal_support.h"

using namespace removal;

namespace {

TEST(UninstallWithTheGroupWindowOpen, TakesTheInstallationFolderToo) {
    CleanMachine();
    ASSERT_TRUE(InstallByClicking({.desktopIcon = false, .closeGroupWindow = false}));
    ASSERT_TRUE(WaitTop(Find{.text = "Vaskel"}, 10000)) << "Finish opened no group window";

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved);
    EXPECT_FALSE(Exists(kDefaultFolder)) << "left: " << ::testing::PrintToString(NamesIn(kDefaultFolder));
    EXPECT_FALSE(Exists(GroupFolder()));
    EXPECT_EQ(ReadRecord(), std::nullopt);
    CleanMachine();
}

}  // namespace
