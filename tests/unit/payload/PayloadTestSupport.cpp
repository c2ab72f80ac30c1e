#include "PayloadTestSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include <gtest/gtest.h>

#include "EmbeddedTable.h"
#include "FileIo.h"

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
