#include <gtest/gtest.h>

#include "Exception.h"
#include "Folders.h"
#include "Scratch.h"

namespace {

TEST(TrailingBackslash, AddedOnlyWhenMissing) {
    EXPECT_EQ(WithTrailingBackslash("C:\\Vaskel"), "C:\\Vaskel\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\Vaskel\\"), "C:\\Vaskel\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\Vaskel\\\\"), "C:\\Vaskel\\\\");
    EXPECT_EQ(WithTrailingBackslash("C:"), "C:\\");
    EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

TEST(ParentFolderTest, OneRuleForRootsSharesDoubledBackslashesAndDoubleByteNames) {
    EXPECT_EQ(ParentFolder("C:\\Vaskel\\lib"), "C:\\Vaskel");
    EXPECT_EQ(ParentFolder("C:\\Vaskel"), "C:\\");
    EXPECT_EQ(ParentFolder("C:\\"), "C:\\");
    EXPECT_EQ(ParentFolder("a:b"), "a:");
    EXPECT_EQ(ParentFolder("\\\\server\\share\\Vaskel"), "\\\\server\\share");
    EXPECT_EQ(ParentFolder("\\\\server"), "\\\\");
    EXPECT_EQ(ParentFolder("C:\\a\\\\b"), "C:\\a\\\\");
    EXPECT_EQ(ParentFolder("Vaskel"), "");
    EXPECT_EQ(ParentOf("C:\\Vaskel\\lib"), "C:\\Vaskel\\");
    // Shift-JIS 0x95 0x5C is one character whose second byte is a backslash's.
    const std::string sjis = "C:\\\x95\x5C";
    EXPECT_EQ(LastSeparator(sjis, 932), 2u);
    EXPECT_EQ(ParentFolder(sjis + "\\lib", 932), sjis);
    EXPECT_EQ(ParentFolder(sjis, 932), "C:\\");
    EXPECT_EQ(LastSeparator(sjis, 1252), 4u);
    EXPECT_EQ(LastSeparator("Vaskel"), std::string::npos);
}

TEST(FolderExistsTest, OnlyAnExistingFolderCounts) {
    Scratch s("exists");
    CreateDirectoryA((s / "sub").c_str(), nullptr);
    CloseHandle(CreateFileA((s / "file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(FolderExists(s.Path()));
    EXPECT_TRUE(FolderExists(s / "sub\\"));
    EXPECT_TRUE(FolderExists("C:\\"));
    EXPECT_FALSE(FolderExists(s / "file"));
    EXPECT_FALSE(FolderExists(s / "file\\"));
    EXPECT_FALSE(FolderExists(s / "missing"));
    EXPECT_FALSE(FolderExists("Q:\\"));
    EXPECT_FALSE(FolderExists(""));
}

TEST(CreateFolderPathTest, CreatesEveryMissingLevel) {
    Scratch s("create");
    EXPECT_TRUE(CreateFolderPath(s / "a\\b\\c\\"));
    EXPECT_TRUE(IsFolder(s / "a"));
    EXPECT_TRUE(IsFolder(s / "a\\b"));
    EXPECT_TRUE(IsFolder(s / "a\\b\\c"));
    // Without the trailing backslash, and over levels that exist already.
    EXPECT_TRUE(CreateFolderPath(s / "a\\b\\d"));
    EXPECT_TRUE(IsFolder(s / "a\\b\\d"));
    EXPECT_TRUE(CreateFolderPath(s / "a\\b\\c"));
}

TEST(CreateFolderPathTest, RootsAndDrivesCountAsPresentAndCreateNothing) {
    for (const char* root : {"C:", "C:\\", "Q:", "Q:\\", "\\", "ab", "ab\\"}) {
        EXPECT_TRUE(CreateFolderPath(root)) << root;
    }
    EXPECT_FALSE(IsFolder("ab"));
    // A text that still ends in a backslash after one was taken off is its own parent.
    EXPECT_TRUE(CreateFolderPath("C:\\vaskel-never-made\\\\"));
    EXPECT_FALSE(IsFolder("C:\\vaskel-never-made"));
}

TEST(CreateFolderPathTest, AFailedLevelFailsTheWholePathAndKeepsWhatWasMade) {
    Scratch s("fail");
    EXPECT_FALSE(CreateFolderPath("Q:\\Vaskel\\"));
    EXPECT_FALSE(FolderExists("Q:\\Vaskel"));
    // A name the file system refuses: the levels above it are made and stay.
    EXPECT_FALSE(CreateFolderPath(s / "m\\n\\bad|name\\deeper\\"));
    EXPECT_TRUE(IsFolder(s / "m\\n"));
    EXPECT_FALSE(IsFolder(s / "m\\n\\bad|name"));
    // A file where a folder should be.
    CloseHandle(CreateFileA((s / "file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(IsFile(s / "file"));
    EXPECT_FALSE(CreateFolderPath(s / "file"));
    EXPECT_FALSE(CreateFolderPath(s / "file\\below"));
    EXPECT_TRUE(IsFile(s / "file"));
}

TEST(CreateFolderPathTest, AnEmptyPathRaisesTheFrameworkError) {
    try {
        CreateFolderPath("");
        ADD_FAILURE() << "no exception";
    } catch (const vk::Exception& e) {
        EXPECT_STREQ(e.what(), "Unable to create directory");
    }
    // A relative name has an empty parent: the same error comes from the inner level.
    EXPECT_THROW(CreateFolderPath("vaskel-relative-name"), vk::Exception);
}

}  // namespace
