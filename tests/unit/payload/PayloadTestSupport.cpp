#include "PayloadTestSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "EmbeddedTable.h"
#include "FileIo.h"

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH], cwd[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetCurrentDirectoryA(MAX_PATH, cwd);
    previous_ = cwd;
    static int serial = 0;
    path_ =
        std::string(temp) + "vaskel-payload-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    fs::remove_all(path_);
    fs::create_directories(path_);
    SetCurrentDirectoryA(path_.c_str());
}

ScratchFolder::~ScratchFolder() {
    SetCurrentDirectoryA(previous_.c_str());
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(path_, ec))
        SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(path_, ec);
}

std::string UnixPathForWine(const std::string& unixPath) {
    std::string p = "\\\\?\\unix" + unixPath;
    std::replace(p.begin(), p.end(), '/', '\\');
    return p;
}

const std::vector<ManifestRow>& Manifest() {
    static std::vector<ManifestRow> rows;
    static std::string error;
    static const bool ok = ParseManifest(kEmbeddedTable, "EmbeddedTable.h", rows, error);
    EXPECT_TRUE(ok) << error;
    return rows;
}

std::vector<uint8_t> ReadBytes(const std::string& name) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(name, bytes)) << "cannot read " << name;
    return bytes;
}

void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr) << name;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }
