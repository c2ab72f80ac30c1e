#include <stdexcept>

#include "ByteBuffer.h"
#include "Formats.h"

namespace {

constexpr uint32_t kPage = 16, kBlock = 512, kBuckets = 37, kFreeSpace = 37;

// A record: type, length of what follows, contents, and a checksum that makes the bytes sum to 0.
void Record(ByteBuffer& out, uint8_t type, const ByteBuffer& contents) {
    const size_t start = out.Size();
    out.U8(type);
    out.U16(uint32_t(contents.Size() + 1));
    out.Bytes(contents.Data);
    uint8_t sum = 0;
    for (size_t i = start; i < out.Size(); ++i) sum = uint8_t(sum + out.Data[i]);
    out.U8(uint8_t(-sum));
}

void Name(ByteBuffer& out, const std::string& s) {
    out.U8(uint32_t(s.size()));
    out.Text(s);
}

uint16_t Rol(uint16_t v, int n) { return uint16_t(v << n | v >> (16 - n)); }
uint16_t Ror(uint16_t v, int n) { return uint16_t(v >> n | v << (16 - n)); }

struct Hash {
    uint16_t Block, BlockStep, Bucket, BucketStep;
};

// The librarian's two-level hash over the length-prefixed name, case folded.
Hash DictionaryHash(const std::string& name, uint16_t blocks) {
    std::string counted = char(name.size()) + name;
    int len = int(name.size());
    const uint8_t* front = reinterpret_cast<const uint8_t*>(counted.data());
    const uint8_t* back = front + len;
    uint16_t blockX = uint16_t(len | 0x20), bucketD = blockX, blockD = 0, bucketX = 0;
    for (;;) {
        const uint16_t cb = *back-- | 0x20;
        bucketX = Ror(bucketX, 2) ^ cb;
        blockD = Rol(blockD, 2) ^ cb;
        if (--len == 0) break;
        const uint16_t cf = *++front | 0x20;
        blockX = Rol(blockX, 2) ^ cf;
        bucketD = Ror(bucketD, 2) ^ cf;
    }
    Hash h{uint16_t(blockX % blocks), uint16_t(blockD % blocks), uint16_t(bucketX % kBuckets),
           uint16_t(bucketD % kBuckets)};
    if (h.BlockStep == 0) h.BlockStep = 1;
    if (h.BucketStep == 0) h.BucketStep = 1;
    return h;
}

bool Insert(std::vector<uint8_t>& dict, uint16_t blocks, const std::string& name, uint16_t page) {
    const Hash h = DictionaryHash(name, blocks);
    const size_t entry = (name.size() + 1 + 2 + 1) & ~size_t(1);
    uint16_t block = h.Block;
    for (uint16_t b = 0; b < blocks; ++b, block = uint16_t((block + h.BlockStep) % blocks)) {
        uint8_t* base = &dict[block * kBlock];
        uint16_t bucket = h.Bucket;
        for (uint32_t k = 0; k < kBuckets; ++k, bucket = uint16_t((bucket + h.BucketStep) % kBuckets)) {
            if (base[bucket] != 0) continue;
            const size_t at = base[kFreeSpace] * 2u;
            if (base[kFreeSpace] == 0xFF || at + entry > kBlock) break;
            base[bucket] = uint8_t(at / 2);
            base[at] = uint8_t(name.size());
            for (size_t i = 0; i < name.size(); ++i) base[at + 1 + i] = uint8_t(name[i]);
            base[at + 1 + name.size()] = uint8_t(page);
            base[at + 2 + name.size()] = uint8_t(page >> 8);
            const size_t next = at + entry;
            base[kFreeSpace] = next >= kBlock ? 0xFF : uint8_t(next / 2);
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<uint8_t> MakeOmfImportLibrary(const Variant& v, const std::string& dllName,
                                          const std::vector<std::string>& exports, uint32_t size) {
    ByteBuffer out;
    out.Zeros(kPage);  // the library header, filled in below
    std::vector<std::pair<std::string, uint16_t>> publics;
    for (const auto& e : exports) {
        const std::string symbol = "_" + e;  // C names carry a leading underscore
        publics.push_back({symbol, uint16_t(out.Size() / kPage)});
        ByteBuffer theadr;
        Name(theadr, symbol);
        Record(out, 0x80, theadr);
        ByteBuffer impdef;
        impdef.U8(0x00);
        impdef.U8(0xA0);
        impdef.U8(0x01);  // comment class A0, import definition
        impdef.U8(0);     // imported by name
        Name(impdef, symbol);
        Name(impdef, dllName);
        Name(impdef, e);
        Record(out, 0x88, impdef);
        ByteBuffer modend;
        modend.U8(0);
        Record(out, 0x8A, modend);
        out.AlignTo(kPage);
    }
    // The end record pads up to the 512-byte boundary where the dictionary starts.
    const uint32_t dictAt = (uint32_t(out.Size()) + 3 + kBlock - 1) / kBlock * kBlock;
    out.U8(0xF1);
    out.U16(dictAt - uint32_t(out.Size()) - 2);
    // Librarians skip the end record's padding; the sample's is zeros.
    if (v.Sample())
        out.PadTo(dictAt);
    else
        v.FillerFor(dllName).Fill(out, dictAt - out.Size());
    if (size <= dictAt || (size - dictAt) % kBlock)
        throw std::runtime_error(dllName + ": the OMF library does not fit its size");
    const uint16_t blocks = uint16_t((size - dictAt) / kBlock);
    if (blocks < 2) throw std::runtime_error(dllName + ": the dictionary needs at least two blocks");
    std::vector<uint8_t> dict(blocks * kBlock);
    for (uint16_t b = 0; b < blocks; ++b) dict[b * kBlock + kFreeSpace] = (kFreeSpace + 1) / 2;
    for (const auto& [name, page] : publics)
        if (!Insert(dict, blocks, name, page)) throw std::runtime_error(dllName + ": dictionary full");
    out.Bytes(dict);

    // Header: type F0, record length 13 (so the page size is 16), dictionary place, case-sensitive.
    out.Data[0] = 0xF0;
    out.Put16(1, kPage - 3);
    out.Put32(3, dictAt);
    out.Put16(7, blocks);
    out.Data[9] = 0x01;
    return out.Data;
}
