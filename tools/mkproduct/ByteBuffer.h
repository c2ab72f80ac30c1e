#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Little-endian byte assembly for the file formats the sample product is made of.
class ByteBuffer {
public:
    std::vector<uint8_t> Data;

    size_t Size() const { return Data.size(); }
    void U8(uint32_t v) { Data.push_back(uint8_t(v)); }
    void U16(uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v);
        U16(v >> 16);
    }
    void U64(uint64_t v) {
        U32(uint32_t(v));
        U32(uint32_t(v >> 32));
    }
    void U32BigEndian(uint32_t v) {
        U8(v >> 24);
        U8(v >> 16);
        U8(v >> 8);
        U8(v);
    }
    void Text(const std::string& s) { Data.insert(Data.end(), s.begin(), s.end()); }
    void TextZ(const std::string& s) {
        Text(s);
        U8(0);
    }
    void Bytes(const std::vector<uint8_t>& b) { Data.insert(Data.end(), b.begin(), b.end()); }
    void Zeros(size_t n) { Data.resize(Data.size() + n); }
    void PadTo(size_t size, uint8_t fill = 0) {
        if (Data.size() < size) Data.resize(size, fill);
    }
    void AlignTo(size_t alignment, uint8_t fill = 0) {
        PadTo((Data.size() + alignment - 1) / alignment * alignment, fill);
    }
    void Put16(size_t at, uint32_t v) {
        Data[at] = uint8_t(v);
        Data[at + 1] = uint8_t(v >> 8);
    }
    void Put32(size_t at, uint32_t v) {
        Put16(at, v);
        Put16(at + 2, v >> 16);
    }
};

// Deterministic filler: the same bytes on every build, no two files alike.
class Filler {
public:
    explicit Filler(const std::string& key) {
        for (char c : key) state_ = (state_ ^ uint8_t(c)) * 0x100000001b3ull;
    }
    uint8_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return uint8_t((state_ * 0x2545f4914f6cdd1dull) >> 56);
    }
    void Fill(ByteBuffer& out, size_t n) {
        for (size_t i = 0; i < n; ++i) out.U8(Next());
    }

private:
    uint64_t state_ = 0xcbf29ce484222325ull;
};

// Fixed time stamp written into every format that carries one, so builds repeat exactly.
constexpr uint32_t kSampleTimeStamp = 0x3F6B5A00;
