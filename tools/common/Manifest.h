#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One row of the payload manifest: what the installation run writes, and where.
struct ManifestRow {
  int Row = 0;               // 1..22, the order of the installation run
  std::string TargetPath;    // relative, with backslashes, exactly as installed
  char Component = '1';
  uint32_t Size = 0;
  int Created = 0;           // place in the start-up creation order
  std::string Sha256;        // lower-case hex
};

// Reads the tab-separated manifest; blank lines and lines starting with '#' are skipped.
// On failure returns false and says why in error.
bool ReadManifest(const std::string& path, std::vector<ManifestRow>& rows, std::string& error);

// TargetPath with forward slashes, for the build host's file system.
std::string HostRelativePath(const std::string& targetPath);
