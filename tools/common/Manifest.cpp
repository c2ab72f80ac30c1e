#include "Manifest.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "FileIo.h"

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) fields.push_back(field);
    return fields;
}

bool ParseNumber(const std::string& text, unsigned long& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoul(text);
    return true;
}

}  // namespace

bool ReadManifest(const std::string& path, std::vector<ManifestRow>& rows, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        error = path + ": cannot read the manifest";
        return false;
    }
    return ParseManifest(std::string(bytes.begin(), bytes.end()), path, rows, error);
}

bool ParseManifest(const std::string& text, const std::string& source, std::vector<ManifestRow>& rows,
                   std::string& error) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    rows.clear();
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        auto f = SplitTabs(line);
        unsigned long row, size, created;
        if (f.size() != 7 || !ParseNumber(f[0], row) || f[2].size() != 1 || !ParseNumber(f[3], size) ||
            !ParseNumber(f[4], created) || f[5].size() != 64 || f[6].empty()) {
            error = source + ":" + std::to_string(lineNo) +
                    ": expected row, path, component, size, created, sha256, format";
            return false;
        }
        rows.push_back({int(row), f[1], f[2][0], uint32_t(size), int(created), f[5], f[6]});
    }
    // Rows and the creation order must each be a permutation of 1..N.
    std::vector<int> seenRow(rows.size() + 1), seenCreated(rows.size() + 1);
    for (const auto& r : rows) {
        if (r.Row < 1 || size_t(r.Row) > rows.size() || seenRow[r.Row]++ || r.Created < 1 ||
            size_t(r.Created) > rows.size() || seenCreated[r.Created]++) {
            error = source + ": row numbers and the Created column must each run 1.." + std::to_string(rows.size());
            return false;
        }
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.Row < b.Row; });
    return true;
}

std::string ManifestLine(const ManifestRow& r) {
    return std::to_string(r.Row) + "\t" + r.TargetPath + "\t" + r.Component + "\t" + std::to_string(r.Size) + "\t" +
           std::to_string(r.Created) + "\t" + r.Sha256 + "\t" + r.Format + "\n";
}

std::string HostRelativePath(const std::string& targetPath) {
    std::string p = targetPath;
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}
