// The installation run through the real program: what lands on the disk for each
// choice of destination and components, and where a failed run leaves the user.
#include "install_steps.h"

using namespace e2e;
using namespace install;

namespace {

// The box's icon control holds no icon (Wine keeps the control even then).
bool ShowsIcon(const MessageBoxWindow& box) {
    for (const Window& c : box.Children(Find{.className = "Static", .visibleOnly = false})) {
        DWORD_PTR icon = 0;
        if ((c.Style() & SS_TYPEMASK) == SS_ICON && c.Send(STM_GETICON, 0, 0, &icon) && icon) return true;
    }
    return false;
}

class Install : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(setup.Start()) << setup.Failure(); }
    // The run leaves the wizard on the shortcut page with Cancel disabled; Finish
    // would record the installation and change every later start, so the
    // session ends here (the process is ended with the test).
    SetupSession setup;
    Walk walk{setup};
};

TEST_F(Install, TypicalWithTheDefaultBoxesWritesTwentyOneFiles) {
    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    EXPECT_EQ(walk.Location().Text(), "C:\\Vaskel");
    ASSERT_TRUE(walk.RunToShortcuts()) << walk.Failure();
    ExpectInstalled("C:\\Vaskel\\", "1235");
    EXPECT_FALSE(walk.Button("Cancel").Enabled());
    SaveScreenshot("typical-done");
}

TEST_F(Install, TheSameFolderWithATrailingBackslash) {
    ASSERT_TRUE(DeleteTree("C:\\Vaskel"));
    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    ASSERT_TRUE(walk.Type("C:\\Vaskel\\")) << walk.Failure();
    ASSERT_TRUE(walk.RunToShortcuts()) << walk.Failure();
    ExpectInstalled("C:\\Vaskel\\", "1235");
}

TEST_F(Install, CustomWithEveryOptionalBoxClearedWritesTheCoreOnly) {
    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    ASSERT_TRUE(walk.Type("C:\\Core\\")) << walk.Failure();  // with the trailing backslash
    ASSERT_TRUE(walk.ChooseCustom());
    ASSERT_TRUE(walk.Next().Click());
    ASSERT_TRUE(walk.SetComponents(false, false, false, false)) << walk.Failure();
    ASSERT_TRUE(walk.RunToShortcuts()) << walk.Failure();
    ExpectInstalled("C:\\Core\\", "1");
}

TEST_F(Install, ADriveAloneInstallsIntoItsRoot) {
    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    ASSERT_TRUE(walk.Type("C:")) << walk.Failure();
    ASSERT_TRUE(walk.RunToShortcuts()) << walk.Failure();
    ExpectInstalled("C:\\", "1235");
    EXPECT_FALSE(Exists("C:\\Vaskel.exe\\"));
}

TEST_F(Install, AnExistingDestinationKeepsForeignFilesAndOverwritesOwnOnes) {
    ASSERT_TRUE(CreateDirectoryA("C:\\Existing", nullptr));
    auto plant = [](const char* path, const std::string& text) {
        UniqueHandle f(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD n = 0;
        return f && WriteFile(f.get(), text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    };
    ASSERT_TRUE(plant("C:\\Existing\\vaskel.ini", std::string(4096, 'o')));
    ASSERT_TRUE(plant("C:\\Existing\\notes.txt", "keep me"));
    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    ASSERT_TRUE(walk.Type("C:\\Existing")) << walk.Failure();
    ASSERT_TRUE(walk.RunToShortcuts()) << walk.Failure();
    ExpectInstalled("C:\\Existing\\", "1235");
    EXPECT_EQ(ReadAll("C:\\Existing\\notes.txt"), "keep me");
}

TEST_F(Install, AMissingDriveIsRefusedAndNothingIsWritten) {
    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    ASSERT_TRUE(walk.Type("Q:\\Vaskel")) << walk.Failure();
    const std::vector<std::string> before = NamesIn("C:");
    ASSERT_TRUE(walk.Next().Click());
    MessageBoxWindow box = WaitMessageBox(setup.app.Id(), 20000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box.Caption(), "Vaskel Setup");
    EXPECT_EQ(box.Message(), "Cannot create directory. Please Choose another.");
    EXPECT_EQ(box.Buttons(), std::vector<std::string>{"OK"});
    EXPECT_FALSE(ShowsIcon(box));
    SaveScreenshot("cannot-create");
    ASSERT_TRUE(box.Press("OK"));
    ASSERT_TRUE(box.WaitGone());
    walk.ExpectBackOnDestination();
    EXPECT_EQ(walk.Location().Text(), "Q:\\Vaskel");
    EXPECT_EQ(NamesIn("C:"), before);
    EXPECT_FALSE(Exists("C:\\setup\\Vaskel.exe"));  // the program's own folder is current at start
    EXPECT_FALSE(Exists("C:\\setup\\lib"));
    // The user chooses another folder and goes on.
    ASSERT_TRUE(walk.Type("C:\\Second")) << walk.Failure();
    ASSERT_TRUE(walk.RunToShortcuts()) << walk.Failure();
    ExpectInstalled("C:\\Second\\", "1235");
}

TEST_F(Install, ARelativeNameIsRefusedAndTheWizardComesBack) {
    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    ASSERT_TRUE(walk.Type("Vaskel\\")) << walk.Failure();
    ASSERT_TRUE(walk.Next().Click());
    MessageBoxWindow box = WaitMessageBox(setup.app.Id(), 20000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box.Message(), "Cannot create directory. Please Choose another.");
    ASSERT_TRUE(box.Press("OK"));
    ASSERT_TRUE(box.WaitGone());
    walk.ExpectBackOnDestination();
    EXPECT_FALSE(Exists("C:\\setup\\Vaskel"));
}

TEST_F(Install, AReadOnlyTargetFileIsNamedAndTheUserIsBackOnTheDestination) {
    ASSERT_TRUE(CreateDirectoryA("C:\\Locked", nullptr));
    ASSERT_TRUE(CreateDirectoryA("C:\\Locked\\Help", nullptr));
    const std::string locked = "C:\\Locked\\Help\\vaskelhelp.chm";
    {
        UniqueHandle f(CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(f);
    }
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));

    ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    ASSERT_TRUE(walk.Type("C:\\Locked")) << walk.Failure();
    ASSERT_TRUE(walk.Next().Click());
    MessageBoxWindow box = WaitMessageBox(setup.app.Id(), 60000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box.Caption(), "Vaskel Setup");
    EXPECT_EQ(box.Message(), "Cannot write file: C:\\Locked\\Help\\vaskelhelp.chm");
    EXPECT_EQ(box.Buttons(), std::vector<std::string>{"OK"});
    EXPECT_FALSE(ShowsIcon(box));
    SaveScreenshot("cannot-write");
    ASSERT_TRUE(box.Press("OK"));
    ASSERT_TRUE(box.WaitGone());
    walk.ExpectBackOnDestination();
    // The files after it were written all the same.
    for (const Row& row : Manifest()) {
        if (row.component == '5' || row.path == "VaskelSim.exe") {
            EXPECT_EQ(Sha256Of("C:\\Locked\\" + row.path), row.sha256) << row.path;
        }
    }
    EXPECT_EQ(ReadAll(locked), "");
}

}  // namespace
