#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// SHA-256 of a byte range, as 64 lower-case hex digits.
std::string Sha256Hex(const uint8_t* data, size_t size);
