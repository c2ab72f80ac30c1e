#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What a manifest format asks of a file, in words; empty for a format nobody knows.
std::string FormatMeaning(const std::string& format);

// Empty when `bytes` meet `format`; otherwise the first thing that breaks it.
std::string FormatBreach(const std::string& format, const std::vector<uint8_t>& bytes);
