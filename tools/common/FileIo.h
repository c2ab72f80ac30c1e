#pragma once
#include <cstdint>
#include <string>
#include <vector>

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// Writes only when the content differs, so that an unchanged output keeps its time stamp
// and nothing downstream rebuilds. Creates missing parent folders.
bool WriteIfChanged(const std::string& path, const void* data, size_t size);
