#pragma once
#include <cstdint>
#include <string>
#include <vector>

// PE32 i386 image that begins "MZP" and ends at the end of its last section, whose
// filler section brings it to exactly `size` bytes (a multiple of 512).
// An executable exits with code 0; a DLL exports `exports`, each returning 0.
std::vector<uint8_t> MakePe32(const std::string& name, bool dll, const std::vector<std::string>& exports,
                              uint32_t size);

// OMF import library (page size 16) for `dllName`, one module per export.
std::vector<uint8_t> MakeOmfImportLibrary(const std::string& dllName, const std::vector<std::string>& exports,
                                          uint32_t size);

// COFF archive of short import objects for `dllName`.
std::vector<uint8_t> MakeCoffImportLibrary(const std::string& dllName, const std::vector<std::string>& exports,
                                           uint32_t size);

// Compiled help file header (ITSF version 3) with its directory, then content filler.
std::vector<uint8_t> MakeHelpFile(const std::string& name, uint32_t languageId, uint32_t size);

// Uncompressed Flash movie, version 5, whose header length is `size`.
std::vector<uint8_t> MakeMovie(const std::string& name, uint32_t size);

// The tutorial's sample data: x and sin x for x from 0 to 2 pi.
std::vector<uint8_t> MakeSineTable();

// A text of the product folder with its LF line ends turned into CR LF.
std::vector<uint8_t> WithCrLf(const std::vector<uint8_t>& text);
