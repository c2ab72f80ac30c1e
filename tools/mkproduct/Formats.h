#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Variant.h"

// PE32 i386 image that begins "MZP" and ends at the end of its last section, whose
// filler section brings it to exactly `size` bytes (a multiple of 512).
// An executable exits with code 0; a DLL exports `exports`, each returning 0.
std::vector<uint8_t> MakePe32(const Variant& v, const std::string& name, bool dll,
                              const std::vector<std::string>& exports, uint32_t size);

// OMF import library (page size 16) for `dllName`, one module per export.
std::vector<uint8_t> MakeOmfImportLibrary(const Variant& v, const std::string& dllName,
                                          const std::vector<std::string>& exports, uint32_t size);

// COFF archive of short import objects for `dllName`.
std::vector<uint8_t> MakeCoffImportLibrary(const Variant& v, const std::string& dllName,
                                           const std::vector<std::string>& exports, uint32_t size);

// Compiled help file header (ITSF version 3) with its directory, then content filler.
std::vector<uint8_t> MakeHelpFile(const Variant& v, const std::string& name, uint32_t languageId, uint32_t size);

// Uncompressed Flash movie, version 5, whose header length is `size`.
std::vector<uint8_t> MakeMovie(const Variant& v, const std::string& name, uint32_t size);

// A text of the product folder with its LF line ends turned into CR LF.
std::vector<uint8_t> WithCrLf(const std::vector<uint8_t>& text);

// Where a line's wording starts (npos: the line keeps it), given its index and text.
using WordingStart = std::function<size_t(size_t index, const std::string& line)>;
// The sample's text unchanged; another variant's with the letters from each line's
// wording start replaced, keeping their case, the length and everything else.
std::vector<uint8_t> Reworded(const Variant& v, const std::string& name, std::vector<uint8_t> text,
                              const WordingStart& start);
