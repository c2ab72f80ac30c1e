#pragma once
#include <cstdint>
#include <string>

#include "ByteBuffer.h"

// Which product the maker makes: the sample, or with a seed another one of the same
// shape whose every file that may differ does (its fillers, time stamps and wording).
struct Variant {
    std::string Seed;  // empty for the sample
    uint32_t TimeStamp = kSampleTimeStamp;

    static Variant FromSeed(const std::string& seed) {
        Variant v{seed};
        if (!seed.empty()) v.TimeStamp = kSampleTimeStamp + 1 + (uint32_t(Filler(seed).Next()) << 16);
        return v;
    }
    bool Sample() const { return Seed.empty(); }
    Filler FillerFor(const std::string& name) const { return Filler(Seed + name); }
};
