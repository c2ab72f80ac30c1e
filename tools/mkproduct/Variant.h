#pragma once
#include <cstdint>
#include <string>

#include "ByteBuffer.h"

// Which product the maker makes: the sample, or with a variant name another one of the same
// shape whose every file that may differ does (its fillers, time stamps and wording).
struct Variant {
    std::string Name;  // empty for the sample
    uint32_t TimeStamp = kSampleTimeStamp;

    static Variant Named(const std::string& name) {
        Variant v{name};
        if (!name.empty()) v.TimeStamp = kSampleTimeStamp + 1 + (uint32_t(Filler(name).Next()) << 16);
        return v;
    }
    bool Sample() const { return Name.empty(); }
    Filler FillerFor(const std::string& name) const { return Filler(Name + name); }
};
