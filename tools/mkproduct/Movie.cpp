#include <stdexcept>

#include "ByteBuffer.h"
#include "Formats.h"

namespace {

// Writes a bit-packed rectangle: the field width, then xmin, xmax, ymin, ymax in twips.
void Rect(ByteBuffer& out, int32_t xmax, int32_t ymax) {
    const int bits = 15;
    std::vector<bool> stream;
    auto put = [&](uint32_t v, int n) {
        for (int i = n - 1; i >= 0; --i) stream.push_back((v >> i) & 1);
    };
    put(bits, 5);
    for (int32_t f : {0, xmax, 0, ymax}) put(uint32_t(f), bits);
    while (stream.size() % 8) stream.push_back(false);
    for (size_t i = 0; i < stream.size(); i += 8) {
        uint8_t byte = 0;
        for (size_t b = 0; b < 8; ++b) byte = uint8_t(byte << 1 | stream[i + b]);
        out.U8(byte);
    }
}

void ShortTag(ByteBuffer& out, uint32_t code, const ByteBuffer& body) {
    out.U16(code << 6 | uint32_t(body.Size()));
    out.Bytes(body.Data);
}

}  // namespace

std::vector<uint8_t> MakeMovie(const Variant& v, const std::string& name, uint32_t size) {
    const uint32_t kFrames = 8, kLongTag = 1023;  // an unassigned tag: players skip it by its length
    ByteBuffer out;
    out.Text("FWS");
    out.U8(5);
    out.U32(size);
    Rect(out, 640 * 20, 480 * 20);
    out.U16(12 << 8);  // 12 frames a second
    out.U16(kFrames);
    ByteBuffer colour;
    colour.U8(0xFF);
    colour.U8(0xFF);
    colour.U8(0xFF);
    ShortTag(out, 9, colour);
    ByteBuffer label;
    label.TextZ(name);
    ShortTag(out, 43, label);

    const uint32_t perFrameFixed = 6 + 2, endTag = 2;
    const uint32_t start = uint32_t(out.Size());
    if (size < start + kFrames * perFrameFixed + endTag) throw std::runtime_error(name + ": too small for a movie");
    uint32_t left = size - start - kFrames * perFrameFixed - endTag;
    Filler filler = v.FillerFor(name);
    for (uint32_t f = 0; f < kFrames; ++f) {
        const uint32_t body = f + 1 == kFrames ? left : left / (kFrames - f);
        left -= body;
        out.U16(kLongTag << 6 | 0x3F);
        out.U32(body);
        filler.Fill(out, body);
        out.U16(1 << 6);  // ShowFrame
    }
    out.U16(0);  // End
    if (out.Size() != size) throw std::runtime_error(name + ": movie size mismatch");
    return out.Data;
}
