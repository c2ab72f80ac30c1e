#include "FileIo.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes.clear();
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool WriteIfChanged(const std::string& path, const void* data, size_t size) {
    std::vector<uint8_t> old;
    if (ReadWholeFile(path, old) && old.size() == size && std::memcmp(old.data(), data, size) == 0) return true;
    std::error_code ec;
    auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    // Write beside the target and rename, so that an interrupted build leaves no half file.
    std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = (std::fclose(f) == 0) && ok;
    // std::filesystem::rename replaces an existing target on Windows too; std::rename does not.
    if (ok) std::filesystem::rename(temp, path, ec);
    ok = ok && !ec;
    if (!ok) std::remove(temp.c_str());
    return ok;
}
