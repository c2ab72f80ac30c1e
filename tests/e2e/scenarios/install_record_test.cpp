// A Typical install walked to Finish: the component digits that the run gathered
// reach the installation record.
#include "install_steps.h"

using namespace e2e;
using namespace install;

namespace {

TEST(InstallRecord, TheDefaultSelectionIsRecordedAs1235) {
    SetupSession setup;
    ASSERT_TRUE(setup.Start()) << setup.Failure();
    Walk walk(setup);
    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    ASSERT_TRUE(walk.RunToShortcuts()) << walk.Failure();
    ExpectInstalled("C:\\Vaskel\\", "1235");
    ASSERT_TRUE(walk.Next().Click());
    Window finish = setup.wizard.WaitChild(Find{.text = "Finish", .className = "Button"});
    ASSERT_TRUE(finish);
    ASSERT_TRUE(finish.Click());
    ASSERT_TRUE(setup.app.WaitExit(30000));
    EXPECT_EQ(setup.app.ExitCode(), 0u);
    EXPECT_EQ(ReadRecord().value_or(Record{})["Components"], "1235");
}

}  // namespace
