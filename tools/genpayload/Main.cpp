// Turns a product folder and the manifest into the payload unit. Every file must be
// present with the manifest's size and checksum; the unit is rewritten only when it changes.
#include <cstdio>

#include "Emit.h"
#include "FileIo.h"
#include "Manifest.h"
#include "Sha256.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: genpayload MANIFEST PRODUCT-FOLDER OUTPUT.cpp\n");
    return 2;
  }
  const std::string folder = argv[2];
  std::vector<ManifestRow> rows;
  std::string error;
  if (!ReadManifest(argv[1], rows, error)) {
    std::fprintf(stderr, "genpayload: %s\n", error.c_str());
    return 1;
  }
  std::vector<std::vector<uint8_t>> files(rows.size());
  int failures = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& r = rows[i];
    const std::string path = folder + "/" + HostRelativePath(r.TargetPath);
    if (!ReadWholeFile(path, files[i])) {
      std::fprintf(stderr, "genpayload: %s: missing (%s)\n", r.TargetPath.c_str(), path.c_str());
      ++failures;
    } else if (files[i].size() != r.Size) {
      std::fprintf(stderr, "genpayload: %s: %zu bytes, the manifest says %u\n", r.TargetPath.c_str(),
                   files[i].size(), r.Size);
      ++failures;
    } else if (Sha256Hex(files[i].data(), files[i].size()) != r.Sha256) {
      std::fprintf(stderr, "genpayload: %s: checksum differs from the manifest\n", r.TargetPath.c_str());
      ++failures;
    }
  }
  if (failures) return 1;
  const std::string unit = EmitPayloadUnit(rows, files);
  if (!WriteIfChanged(argv[3], unit.data(), unit.size())) {
    std::fprintf(stderr, "genpayload: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
