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
    ASSERT_EQ(NamesIn(GroupFolder()), (std::vector<std::string>{"Help Documentation.lnk", "Vaskel Sim.lnk", "Vaskel.lnk"}));
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

TEST_F(Uninstall, EntriesGoWhateverTheirAttributes) {
    ASSERT_TRUE(InstallByClicking({.desktopIcon = false}));
    const std::string root = kDefaultFolder;
    const std::pair<std::string, DWORD> files[] = {
        {root + "\\hidden.dat", FILE_ATTRIBUTE_HIDDEN},
        {root + "\\system.dat", FILE_ATTRIBUTE_SYSTEM},
        {root + "\\archive.dat", FILE_ATTRIBUTE_ARCHIVE},
        {root + "\\lib\\both.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
    };
    for (const auto& [path, bits] : files) {
        ASSERT_TRUE(WriteBytes(path, "x")) << path;
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), bits)) << path;
        ASSERT_EQ(Attributes(path) & bits, bits) << path;
    }
    // Folders carrying more than the directory bit, one inside the other.
    const std::string extra = root + "\\Extra", deep = extra + "\\Deep";
    ASSERT_TRUE(CreateDirectoryA(extra.c_str(), nullptr) && CreateDirectoryA(deep.c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(extra + "\\a.txt", "a") && WriteBytes(deep + "\\b.txt", "b"));
    // Wine keeps no archive bit on a folder.
    const DWORD extraBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesA(extra.c_str(), extraBits) && SetFileAttributesA(deep.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(Attributes(extra) & (extraBits | FILE_ATTRIBUTE_DIRECTORY), extraBits | FILE_ATTRIBUTE_DIRECTORY);

    // A folder whose files partly come after its sub-folder in enumeration
    // order: those resolve only if the removal is back in this folder.
    const std::string order = root + "\\Order";
    ASSERT_TRUE(CreateDirectoryA(order.c_str(), nullptr) && CreateDirectoryA((order + "\\a_sub").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(order + "\\a_sub\\inner.txt", "i"));
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(WriteBytes(order + "\\f" + std::to_string(i) + ".txt", "f"));
    bool folderSeen = false, fileAfterIt = false;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((order + "\\*").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        if (std::string(data.cFileName) == "a_sub") folderSeen = true;
        else if (folderSeen && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) fileAfterIt = true;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    ASSERT_TRUE(fileAfterIt) << "every file enumerates before the sub-folder: the case is not set up";

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved);
    ExpectEnded(seen);
    EXPECT_FALSE(Exists(root)) << "left: " << ::testing::PrintToString(FilesBelow(root));
    ExpectRecordGone();
    ExpectNeighboursKept();
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
