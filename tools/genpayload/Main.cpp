// Turns a product folder and the manifest into the payload unit, and writes the table
// of what it embedded for the tests. Every file must be present with the manifest's
// size and format; with --pinned (the sample) also with its checksum. Outputs are
// rewritten only when they change.
#include <cstdio>
#include <cstring>

#include "Emit.h"
#include "FileIo.h"
#include "FormatCheck.h"
#include "Manifest.h"
#include "Sha256.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: genpayload [--pinned] MANIFEST PRODUCT-FOLDER OUTPUT.cpp TABLE.h\n");
    return 2;
}

// Names the file and the rule it breaks; false when it breaks one.
bool Acceptable(const ManifestRow& r, const std::string& folder, bool pinned, std::vector<uint8_t>& bytes) {
    const std::string path = folder + "/" + HostRelativePath(r.TargetPath);
    std::string breach;
    if (!ReadWholeFile(path, bytes)) {
        breach = "missing (" + path + ")";
    } else if (bytes.size() != r.Size) {
        breach = std::to_string(bytes.size()) + " bytes, the manifest says " + std::to_string(r.Size);
    } else if (auto why = FormatBreach(r.Format, bytes); !why.empty()) {
        breach = "not " + FormatMeaning(r.Format) + ": " + why;
    } else if (pinned && Sha256Hex(bytes.data(), bytes.size()) != r.Sha256) {
        breach = "its checksum differs from the sample's in the manifest";
    }
    if (!breach.empty()) std::fprintf(stderr, "genpayload: %s: %s\n", r.TargetPath.c_str(), breach.c_str());
    return breach.empty();
}

}  // namespace

int main(int argc, char** argv) {
    const bool pinned = argc > 1 && std::strcmp(argv[1], "--pinned") == 0;
    if (pinned) ++argv, --argc;
    if (argc != 5) return Usage();
    const std::string folder = argv[2];
    std::vector<ManifestRow> rows;
    std::string error;
    if (!ReadManifest(argv[1], rows, error)) {
        std::fprintf(stderr, "genpayload: %s\n", error.c_str());
        return 1;
    }
    for (const auto& r : rows) {
        if (FormatMeaning(r.Format).empty()) {
            std::fprintf(stderr, "genpayload: %s: row %d: unknown format \"%s\"\n", argv[1], r.Row, r.Format.c_str());
            return 1;
        }
    }
    std::vector<std::vector<uint8_t>> files(rows.size());
    int failures = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        if (!Acceptable(rows[i], folder, pinned, files[i])) ++failures;
    if (failures) return 1;

    std::vector<ManifestRow> embedded = rows;
    for (size_t i = 0; i < rows.size(); ++i) embedded[i].Sha256 = Sha256Hex(files[i].data(), files[i].size());
    const std::string unit = EmitPayloadUnit(rows, files), table = EmitTableHeader(embedded);
    for (const auto& [path, text] : {std::pair{argv[3], &unit}, std::pair{argv[4], &table}}) {
        if (!WriteIfChanged(path, text->data(), text->size())) {
            std::fprintf(stderr, "genpayload: cannot write %s\n", path);
            return 1;
        }
    }
    return 0;
}
