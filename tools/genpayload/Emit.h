#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Manifest.h"

// The C++ name of a row's global record pointer: "Help\step1.swf" becomes FileHelpStep1Swf.
std::string RecordName(const std::string& targetPath);

// The generated unit: word and tail arrays, the record pointers created in the Created
// order, and the manifest table in row order. files[i] holds the bytes of rows[i].
std::string EmitPayloadUnit(const std::vector<ManifestRow>& rows, const std::vector<std::vector<uint8_t>>& files);

// A header holding the rows as manifest text in kEmbeddedTable, their checksums those of
// the files embedded: what the tests hold the written and installed files to.
std::string EmitTableHeader(const std::vector<ManifestRow>& rows);
