// A Typical install walked to Finish: the component digits that the run gathered
// reach the installation record.
#include "install_steps.h"

using namespace e2e;
using namespace install;

namespace {

std::string RecordValue(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kestrelmoor\\Vaskel", 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return "no record";
    char value[512] = {};
    DWORD size = sizeof value - 1, type = 0;
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    // The digits only: how the record stores its terminator is the record's own affair.
    return rc == ERROR_SUCCESS ? std::string(value) : "no value";
}

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
    EXPECT_EQ(RecordValue("Components"), "1235");
}

}  // namespace
