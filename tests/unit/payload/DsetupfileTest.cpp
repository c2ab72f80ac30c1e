// The writer: layout, truncation, repeatability and the failures it must report.
#include <windows.h>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "Payload.h"
#include "PayloadTestSupport.h"

namespace {

const uint32_t kWords[3] = {0x04030201, 0x08070605, 0xDDCCBBAA};
const uint8_t kTail[3] = {0x11, 0x22, 0x33};

std::vector<uint8_t> Expected(size_t tail) {
    std::vector<uint8_t> b = {1, 2, 3, 4, 5, 6, 7, 8, 0xAA, 0xBB, 0xCC, 0xDD};
    for (size_t j = 0; j < tail; ++j) b.push_back(kTail[j]);
    return b;
}

TEST(WriteToFile, WordsLeastSignificantByteFirstThenTheTail) {
    ScratchFolder scratch;
    for (uint16_t tail = 1; tail <= 3; ++tail) {
        DSetupFile record(3, tail, kWords, kTail);
        ASSERT_TRUE(record.WriteToFile("out.bin"));
        EXPECT_EQ(ReadBytes("out.bin"), Expected(tail)) << "tail " << tail;
    }
}

TEST(WriteToFile, EmptyTailWithNullPointerWritesWholeWordsOnly) {
    ScratchFolder scratch;
    DSetupFile record(3, 0, kWords, nullptr);
    ASSERT_TRUE(record.WriteToFile("out.bin"));
    EXPECT_EQ(ReadBytes("out.bin"), Expected(0));

    for (const auto& entry : PayloadFiles) {
        const DSetupFile& f = **entry.File;
        if (f.TailLength != 0) continue;
        EXPECT_EQ(f.TailBytes, nullptr) << entry.TargetPath;
        ASSERT_TRUE(f.WriteToFile("whole.bin"));
        EXPECT_EQ(std::filesystem::file_size("whole.bin"), 4ull * f.WordCount) << entry.TargetPath;
    }
}

TEST(WriteToFile, LongerExistingFileIsCutToTheRecord) {
    ScratchFolder scratch;
    WriteBytes("vaskel.ini", std::vector<uint8_t>(10000, 0xEE));
    ASSERT_TRUE(FileVaskelIni->WriteToFile("vaskel.ini"));
    const std::string text = "[Config]\r\nLastProject=NoName\r\nLanguage=1\r\nStartupTip=1\r\n";
    EXPECT_EQ(ReadBytes("vaskel.ini"), std::vector<uint8_t>(text.begin(), text.end()));
}

TEST(WriteToFile, WritingTwiceGivesTheSameFileAndLeavesTheRecordAlone) {
    ScratchFolder scratch;
    const DSetupFile before = *FileHelpStep2Swf;
    ASSERT_TRUE(FileHelpStep2Swf->WriteToFile("a.swf"));
    ASSERT_TRUE(FileHelpStep2Swf->WriteToFile("a.swf"));
    ASSERT_TRUE(FileHelpStep2Swf->WriteToFile("b.swf"));
    EXPECT_EQ(ReadBytes("a.swf"), ReadBytes("b.swf"));
    EXPECT_EQ(FileHelpStep2Swf->WordCount, before.WordCount);
    EXPECT_EQ(FileHelpStep2Swf->TailLength, before.TailLength);
    EXPECT_EQ(FileHelpStep2Swf->Words, before.Words);
    EXPECT_EQ(FileHelpStep2Swf->TailBytes, before.TailBytes);
}

TEST(WriteToFile, MissingFolderFailsAndCreatesNothing) {
    ScratchFolder scratch;
    EXPECT_FALSE(FileVaskelIni->WriteToFile("Help\\vaskel.ini"));
    EXPECT_FALSE(Exists("Help"));
}

TEST(WriteToFile, ReadOnlyTargetFailsAndKeepsTheOldFile) {
    ScratchFolder scratch;
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    WriteBytes("vaskel.ini", old);
    ASSERT_TRUE(SetFileAttributesA("vaskel.ini", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(FileVaskelIni->WriteToFile("vaskel.ini"));
    EXPECT_EQ(ReadBytes("vaskel.ini"), old);
}

TEST(WriteToFile, FileInUseFailsAndKeepsTheOldFile) {
    ScratchFolder scratch;
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    WriteBytes("vaskel.ini", old);
    HANDLE held = CreateFileA("vaskel.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FileVaskelIni->WriteToFile("vaskel.ini"));
    CloseHandle(held);
    EXPECT_EQ(ReadBytes("vaskel.ini"), old);
}

TEST(WriteToFile, FullDiskFails) {
    // A tmpfs of a few hundred KiB, mounted by the test fixture when the machine allows it.
    const char* tiny = std::getenv("VASKEL_TINY_FS");
    if (!tiny || !Exists(UnixPathForWine(std::string(tiny) + "/.tiny-fs")))
        GTEST_SKIP() << "no small file system was mounted for this run";
    const std::string target = UnixPathForWine(std::string(tiny) + "/Vaskel.exe");
    EXPECT_FALSE(FileVaskelExe->WriteToFile(target.c_str()));
    DeleteFileA(target.c_str());
    // With room again the same stream code succeeds, so the failure above was the disk.
    const std::string small = UnixPathForWine(std::string(tiny) + "/vaskel.ini");
    EXPECT_TRUE(FileVaskelIni->WriteToFile(small.c_str()));
    DeleteFileA(small.c_str());
}

}  // namespace
