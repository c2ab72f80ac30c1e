#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Manifest.h"
#include "Scratch.h"

// A scratch folder made the current directory for the test's lifetime: the writer
// resolves relative names against it.
class ScratchFolder : public Scratch {
public:
    ScratchFolder() : Scratch("payload") { SetCurrentDirectoryA(Path().c_str()); }
};

// A Linux path as Wine reaches it without a drive letter.
std::string UnixPathForWine(const std::string& unixPath);

// The manifest's rows with the checksums of the files the build embedded; fails the
// calling test when unreadable.
const std::vector<ManifestRow>& Manifest();

std::vector<uint8_t> ReadBytes(const std::string& name);
void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes);
