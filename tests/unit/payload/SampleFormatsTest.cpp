// What the manifest states of each written file's format, read back from disk.
#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Payload.h"
#include "PayloadTestSupport.h"

namespace {

uint32_t U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool Contains(const std::vector<uint8_t>& b, const std::string& text) {
    return std::search(b.begin(), b.end(), text.begin(), text.end()) != b.end();
}

std::vector<uint8_t> Written(const PayloadEntry& entry) {
    EXPECT_TRUE((*entry.File)->WriteToFile("written.bin")) << entry.TargetPath;
    return ReadBytes("written.bin");
}

TEST(SampleFormats, ProgramsAreI386ImagesEndingAtTheirLastSection) {
    ScratchFolder scratch;
    int images = 0;
    for (const auto& entry : PayloadFiles) {
        const std::string path = entry.TargetPath;
        const bool dll = EndsWith(path, ".dll");
        if (!dll && !EndsWith(path, ".exe")) continue;
        ++images;
        const auto b = Written(entry);
        ASSERT_GE(b.size(), 0x400u) << path;
        EXPECT_EQ(std::string(b.begin(), b.begin() + 3), "MZP") << path;
        const uint32_t pe = U32(b, 0x3C);
        ASSERT_LT(pe + 24u, b.size()) << path;
        EXPECT_EQ(std::memcmp(&b[pe], "PE\0\0", 4), 0) << path;
        EXPECT_EQ(U16(b, pe + 4), 0x014Cu) << path;
        const uint32_t sections = U16(b, pe + 6), optional = U16(b, pe + 20);
        EXPECT_EQ(U16(b, pe + 24), 0x010Bu) << path << ": PE32";
        EXPECT_EQ((U16(b, pe + 22) & 0x2000) != 0, dll) << path;
        EXPECT_EQ(U16(b, pe + 24 + 68), 2u) << path << ": GUI subsystem";
        uint32_t end = 0;
        for (uint32_t s = 0; s < sections; ++s) {
            const size_t header = pe + 24 + optional + 40 * s;
            end = std::max(end, U32(b, header + 20) + U32(b, header + 16));
        }
        EXPECT_EQ(end, b.size()) << path;
    }
    EXPECT_EQ(images, 4);
}

TEST(SampleFormats, MoviesCarryTheirOwnLength) {
    ScratchFolder scratch;
    int movies = 0;
    for (const auto& entry : PayloadFiles) {
        if (!EndsWith(entry.TargetPath, ".swf")) continue;
        ++movies;
        const auto b = Written(entry);
        ASSERT_GE(b.size(), 8u);
        EXPECT_EQ(std::string(b.begin(), b.begin() + 3), "FWS") << entry.TargetPath;
        EXPECT_EQ(b[3], 5) << entry.TargetPath;
        EXPECT_EQ(U32(b, 4), b.size()) << entry.TargetPath;
    }
    EXPECT_EQ(movies, 7);
}

TEST(SampleFormats, HelpFilesAndLibrariesHaveTheirHeaders) {
    ScratchFolder scratch;
    for (const auto& entry : PayloadFiles) {
        const std::string path = entry.TargetPath;
        if (EndsWith(path, ".chm")) {
            const auto b = Written(entry);
            EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "ITSF") << path;
            EXPECT_EQ(U32(b, 4), 3u) << path;
        } else if (EndsWith(path, "_bcb.lib")) {
            const auto b = Written(entry);
            EXPECT_EQ(b[0], 0xF0) << path;
            EXPECT_EQ(U16(b, 1) + 3, 16u) << path << ": page size";
            EXPECT_TRUE(Contains(b, path.find("class") != std::string::npos ? "vaskelclass.dll" : "vaskelapi.dll"))
                << path;
        } else if (EndsWith(path, "_vc.lib")) {
            const auto b = Written(entry);
            EXPECT_EQ(std::string(b.begin(), b.begin() + 8), "!<arch>\n") << path;
            EXPECT_TRUE(Contains(b, "vaskelapi.dll")) << path;
        }
    }
}

TEST(SampleFormats, Texts) {
    ScratchFolder scratch;
    ASSERT_TRUE(FileTutorialSinTxt->WriteToFile("sin.txt"));
    const auto b = ReadBytes("sin.txt");
    const std::string text(b.begin(), b.end());
    ASSERT_EQ(text.size(), 21990u);
    EXPECT_EQ(text.substr(0, 14), "\t0         0\r\n");
    size_t lines = 1, at = 14;
    for (size_t next; (next = text.find("\r\n", at)) != std::string::npos; at = next + 2, ++lines)
        EXPECT_EQ(next - at, 20u) << "line " << lines + 1;
    EXPECT_EQ(lines + 1, 1000u);
    EXPECT_EQ(text.size() - at, 20u) << "the last line has no line end";
    EXPECT_EQ(text.substr(at, 10), "    6.2832") << "x ends at 2 pi";

    ASSERT_TRUE(FileInittpLib->WriteToFile("inittp.lib"));
    const auto tips = ReadBytes("inittp.lib");
    const std::string tipText(tips.begin(), tips.end());
    EXPECT_EQ(tipText.rfind("[Config]\r\nMaxTip=12\r\nLastTip=12\r\n\r\n[Tips]\r\nTip1=", 0), 0u);
    for (int i = 1; i <= 12; ++i) EXPECT_NE(tipText.find("\r\nTip" + std::to_string(i) + "="), std::string::npos);

    ASSERT_TRUE(FileVaskelapiVaskelapiH->WriteToFile("vaskelapi.h"));
    const auto header = ReadBytes("vaskelapi.h");
    EXPECT_EQ(std::string(header.begin(), header.begin() + 2), "//");
}

}  // namespace
