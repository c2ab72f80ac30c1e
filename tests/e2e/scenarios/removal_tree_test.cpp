// Uninstall after an installation made by the program: the destination tree,
// the desktop link and the group go as the record describes them, whatever
// the files' attributes; what cannot go is named in the closing message.
#include "removal_support.h"

using namespace removal;

namespace {

constexpr char kKeep[] = "C:\\keep.txt";
constexpr char kSibling[] = "C:\\Vaskel Data";

class Uninstall : public ::testing::Test {
protected:
    void SetUp() override {
        CleanMachine({kKeep, kSibling});
        // Beside the product, sharing its name's beginning: must survive every removal.
        ASSERT_TRUE(WriteBytes(kKeep, "mine"));
        ASSERT_TRUE(CreateDirectoryA(kSibling, nullptr));
        ASSERT_TRUE(WriteBytes(std::string(kSibling) + "\\notes.txt", "notes"));
    }
    void TearDown() override { CleanMachine({kKeep, kSibling}); }

    // The run ended the way every removal ends: the closing box over the
    // progress dialog at 100, then a clean exit.
    static void ExpectEnded(const RunSeen& seen) {
        EXPECT_TRUE(seen.otherBoxes.empty()) << seen.otherBoxes.front();
        EXPECT_EQ(seen.dialogCaption, "Uninstalling...");
        EXPECT_EQ(seen.progress, 100);
        EXPECT_TRUE(seen.exited);
        EXPECT_EQ(seen.exitCode, 0u);
    }
    static void ExpectNeighboursKept() {
        EXPECT_EQ(ReadBytes(kKeep), "mine");
        EXPECT_EQ(ReadBytes(std::string(kSibling) + "\\notes.txt"), "notes");
        EXPECT_TRUE(IsFolder(ProgramsFolder()));
        EXPECT_TRUE(IsFolder(DesktopFolder()));
    }
    static void ExpectRecordGone() {
        EXPECT_EQ(ReadRecord(), std::nullopt);
        EXPECT_TRUE(MakerKeyExists());
    }
};

TEST_F(Uninstall, DefaultInstallationLeavesNothingOfVaskel) {
    ASSERT_TRUE(InstallByClicking({.desktopIcon = true}));
    ASSERT_EQ(FilesBelow(kDefaultFolder), TypicalFiles());
    ASSERT_EQ(NamesIn(GroupFolder()),
              (std::vector<std::string>{"Help Documentation.lnk", "Vaskel Sim.lnk", "Vaskel.lnk"}));
    ASSERT_TRUE(Exists(DesktopLink()));

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved);
    ExpectEnded(seen);
    EXPECT_FALSE(Exists(kDefaultFolder));
    EXPECT_FALSE(Exists(GroupFolder()));
    EXPECT_FALSE(Exists(DesktopLink()));
    ExpectRecordGone();
    ExpectNeighboursKept();
}

TEST_F(Uninstall, RecordedTrailingBackslashIsRemovedTheSame) {
    ASSERT_TRUE(InstallByClicking({.location = "C:\\Vaskel\\", .desktopIcon = false}));
    ASSERT_EQ(ReadRecord().value_or(Record{})["BaseFolder"], "C:\\Vaskel\\");

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved);
    ExpectEnded(seen);
    EXPECT_FALSE(Exists(kDefaultFolder));
    EXPECT_FALSE(Exists(GroupFolder()));
    ExpectRecordGone();
    ExpectNeighboursKept();
}

// The product's files go whatever their attributes; what the user saved in
// the product's folders stays, with the folders that hold it.
TEST_F(Uninstall, ProductFilesGoWhateverTheirAttributesAndTheUsersOwnStay) {
    ASSERT_TRUE(InstallByClicking({.desktopIcon = false}));
    const std::string root = kDefaultFolder;
    const std::pair<std::string, DWORD> attributes[] = {
        {root + "\\vaskel.ini", FILE_ATTRIBUTE_HIDDEN},
        {root + "\\Help\\step1.swf", FILE_ATTRIBUTE_SYSTEM},
        {root + "\\lib\\bcb\\class\\vaskelclass_bcb.lib", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {root + "\\lib", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},  // a folder with more than its bit
    };
    for (const auto& [path, bits] : attributes) {
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), bits)) << path;
        ASSERT_EQ(Attributes(path) & bits, bits) << path;
    }
    ASSERT_TRUE(WriteBytes(root + "\\Tutorial\\mine.txt", "my network"));
    ASSERT_TRUE(CreateDirectoryA((root + "\\Projects").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(root + "\\Projects\\p.txt", "p"));

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved + NotRemoved(root, "1 file and 1 folder that Vaskel Setup did not install"));
    ExpectEnded(seen);
    EXPECT_EQ(FilesBelow(root), (std::vector<std::string>{"Projects\\p.txt", "Tutorial\\mine.txt"}));
    EXPECT_EQ(NamesIn(root), (std::vector<std::string>{"Projects", "Tutorial"}));
    EXPECT_EQ(ReadBytes(root + "\\Tutorial\\mine.txt"), "my network");
    ExpectRecordGone();
    ExpectNeighboursKept();
}

// Installed into a folder that held another program's files: those stay.
TEST_F(Uninstall, AnExistingFolderKeepsWhatItHeldBefore) {
    const std::string tools = "C:\\Tools";
    DeleteTree(tools);
    ASSERT_TRUE(CreateDirectoryA(tools.c_str(), nullptr) && CreateDirectoryA((tools + "\\Help").c_str(), nullptr));
    const std::vector<std::string> theirs = {"Help\\tools.chm", "tools.dll", "tools.exe"};
    for (const std::string& name : theirs) ASSERT_TRUE(WriteBytes(tools + "\\" + name, name));
    ASSERT_TRUE(InstallByClicking({.location = tools, .desktopIcon = false}));

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved + NotRemoved(tools, "3 files that Vaskel Setup did not install"));
    ExpectEnded(seen);
    EXPECT_EQ(FilesBelow(tools), theirs);
    for (const std::string& name : theirs) EXPECT_EQ(ReadBytes(tools + "\\" + name), name);
    ExpectRecordGone();
    DeleteTree(tools);
}

TEST_F(Uninstall, ReadOnlyFileStaysWithTheFoldersAboveItAndIsNamed) {
    ASSERT_TRUE(InstallByClicking({.desktopIcon = true}));
    const std::string locked = std::string(kDefaultFolder) + "\\lib\\bcb\\api\\vaskelapi_bcb.lib";
    const std::optional<std::string> bytes = ReadBytes(locked);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved + NotRemoved(kDefaultFolder, kWhyFilesLeft));
    ExpectEnded(seen);
    EXPECT_EQ(FilesBelow(kDefaultFolder), std::vector<std::string>{"lib\\bcb\\api\\vaskelapi_bcb.lib"});
    EXPECT_EQ(NamesIn(kDefaultFolder), std::vector<std::string>{"lib"});
    EXPECT_EQ(NamesIn(std::string(kDefaultFolder) + "\\lib"), std::vector<std::string>{"bcb"});
    EXPECT_EQ(NamesIn(std::string(kDefaultFolder) + "\\lib\\bcb"), std::vector<std::string>{"api"});
    EXPECT_EQ(ReadBytes(locked), bytes);
    EXPECT_FALSE(Exists(GroupFolder()));
    EXPECT_FALSE(Exists(DesktopLink()));
    ExpectRecordGone();
}

// The record says a group was made and no desktop icon: the user's own file
// named like the link stays.
TEST_F(Uninstall, FolderDeletedByHandStillTakesGroupAndRecord) {
    ASSERT_TRUE(InstallByClicking({.menu = true, .desktopIcon = false}));
    ASSERT_TRUE(WriteBytes(DesktopLink(), "the user's own"));
    DeleteTree(kDefaultFolder);
    ASSERT_FALSE(Exists(kDefaultFolder));

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved);
    ExpectEnded(seen);
    EXPECT_FALSE(Exists(GroupFolder()));
    EXPECT_EQ(ReadBytes(DesktopLink()), "the user's own");
    ExpectRecordGone();
    ExpectNeighboursKept();
}

// The other way round: a desktop link recorded, no group; a folder of the
// group's name stays with what is in it.
TEST_F(Uninstall, GroupFolderStaysWhenTheRecordSaysNoMenu) {
    ASSERT_TRUE(InstallByClicking({.menu = false, .desktopIcon = true}));
    ASSERT_EQ(ReadRecord().value_or(Record{})["Menu"], "0");
    ASSERT_TRUE(Exists(DesktopLink()));
    ASSERT_TRUE(CreateDirectoryA(GroupFolder().c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(GroupFolder() + "\\mine.txt", "mine"));

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved);
    ExpectEnded(seen);
    EXPECT_FALSE(Exists(kDefaultFolder));
    EXPECT_FALSE(Exists(DesktopLink()));
    EXPECT_EQ(NamesIn(GroupFolder()), std::vector<std::string>{"mine.txt"});
    ExpectRecordGone();
}

}  // namespace
