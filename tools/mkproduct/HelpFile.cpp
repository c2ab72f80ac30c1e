#include <stdexcept>

#include "ByteBuffer.h"
#include "Formats.h"

namespace {

constexpr uint32_t kHeaderLength = 0x60, kSection0Length = 0x18, kDirHeaderLength = 0x54, kChunk = 0x1000;

void Guid(ByteBuffer& out, uint32_t a, uint16_t b, uint16_t c, std::initializer_list<uint8_t> rest) {
    out.U32(a);
    out.U16(b);
    out.U16(c);
    for (uint8_t v : rest) out.U8(v);
}

}  // namespace

std::vector<uint8_t> MakeHelpFile(const Variant& v, const std::string& name, uint32_t languageId, uint32_t size) {
    const uint32_t dirAt = kHeaderLength + kSection0Length, dirLength = kDirHeaderLength + kChunk;
    const uint32_t contentAt = dirAt + dirLength;
    if (size < contentAt) throw std::runtime_error(name + ": too small for a help file");
    ByteBuffer out;
    out.Text("ITSF");
    out.U32(3);
    out.U32(kHeaderLength);
    out.U32(1);
    out.U32BigEndian(v.TimeStamp);
    out.U32(languageId);
    Guid(out, 0x7C01FD10, 0x7BAA, 0x11D0, {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
    Guid(out, 0x7C01FD11, 0x7BAA, 0x11D0, {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
    out.U64(kHeaderLength);
    out.U64(kSection0Length);
    out.U64(dirAt);
    out.U64(dirLength);
    out.U64(contentAt);

    // Header section 0 carries the file size.
    out.U32(0x01FE);
    out.U32(0);
    out.U64(size);
    out.U32(0);
    out.U32(0);

    // The directory: one listing chunk, which lists nothing.
    out.Text("ITSP");
    out.U32(1);
    out.U32(kDirHeaderLength);
    out.U32(0x0A);
    out.U32(kChunk);
    out.U32(2);
    out.U32(1);
    out.U32(0xFFFFFFFF);
    out.U32(0);
    out.U32(0);
    out.U32(0xFFFFFFFF);
    out.U32(1);
    out.U32(languageId);
    Guid(out, 0x5D02926A, 0x212E, 0x11D0, {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
    out.U32(kDirHeaderLength);
    out.U32(0xFFFFFFFF);
    out.U32(0xFFFFFFFF);
    out.U32(0xFFFFFFFF);
    const size_t chunk = out.Size();
    out.Text("PMGL");
    out.U32(kChunk - 0x14 - 2);
    out.U32(0);
    out.U32(0xFFFFFFFF);
    out.U32(0xFFFFFFFF);
    out.PadTo(chunk + kChunk - 2);
    out.U16(0);

    v.FillerFor(name).Fill(out, size - out.Size());
    return out.Data;
}
