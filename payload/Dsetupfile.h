#pragma once
#include <cstdint>

// One embedded product file: whole 32-bit words plus up to three trailing bytes.
// The record points at static data of the program and owns nothing.
class DSetupFile {
public:
    uint32_t WordCount;
    uint16_t TailLength;
    const uint32_t* Words;
    const uint8_t* TailBytes;  // null when TailLength is 0

    DSetupFile(uint32_t wordCount, uint16_t tailLength, const uint32_t* words, const uint8_t* tailBytes);

    // Creates or truncates `name` and writes the file. False when it cannot be opened
    // (nothing is written then), when any write falls short or when the close fails.
    bool WriteToFile(const char* name) const;
};
