#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One row of the payload manifest: what the installation run writes, and where.
struct ManifestRow {
    int Row = 0;             // 1..22, the order of the installation run
    std::string TargetPath;  // relative, with backslashes, exactly as installed
    char Component = '1';
    uint32_t Size = 0;
    int Created = 0;     // place in the start-up creation order
    std::string Sha256;  // lower-case hex: the sample's bytes, or what was embedded
    std::string Format;  // the rule every product's file must meet, e.g. "fws5"
};

// Reads the tab-separated manifest; blank lines and lines starting with '#' are skipped.
// On failure returns false and says why in error.
bool ReadManifest(const std::string& path, std::vector<ManifestRow>& rows, std::string& error);
// The same from text already in memory; `source` names it in the error.
bool ParseManifest(const std::string& text, const std::string& source, std::vector<ManifestRow>& rows,
                   std::string& error);

// One row as the manifest holds it, with its line end.
std::string ManifestLine(const ManifestRow& row);

// TargetPath with forward slashes, for the build host's file system.
std::string HostRelativePath(const std::string& targetPath);
