#include <algorithm>
#include <stdexcept>

#include "ByteBuffer.h"
#include "Formats.h"

namespace {

constexpr uint32_t kFileAlign = 0x200, kSectionAlign = 0x1000, kHeaders = 0x400, kPeOffset = 0x80;

uint32_t AlignUp(uint32_t v, uint32_t a) { return (v + a - 1) / a * a; }

struct Section {
    const char* Name;
    uint32_t Rva;
    ByteBuffer Raw;
    uint32_t Characteristics;
};

void DosHeader(ByteBuffer& out) {
    // The header's last-page count is 0x50, which gives the image its "MZP" start.
    out.Text("MZ");
    out.U16(0x0050);
    out.U16(2);
    out.U16(0);
    out.U16(4);
    out.U16(0x000F);
    out.U16(0xFFFF);
    out.U16(0);
    out.U16(0x00B8);
    out.U16(0);
    out.U16(0);
    out.U16(0);
    out.U16(0x0040);
    out.U16(0x001A);
    out.PadTo(0x3C);
    out.U32(kPeOffset);
    // 16-bit stub: print the message and exit with code 1.
    const uint8_t stub[] = {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09, 0xCD, 0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21};
    out.Data.insert(out.Data.end(), std::begin(stub), std::end(stub));
    out.Text("Vaskel needs Windows.\r\n$");
    out.PadTo(kPeOffset);
}

ByteBuffer ImportSection(uint32_t rva, uint32_t& iatRva) {
    // One descriptor for KERNEL32.dll importing ExitProcess, then the null descriptor.
    ByteBuffer s;
    const uint32_t lookup = rva + 0x28, iat = rva + 0x30, hintName = rva + 0x38, dllName = rva + 0x50;
    s.U32(lookup);
    s.U32(0);
    s.U32(0);
    s.U32(dllName);
    s.U32(iat);
    s.Zeros(20);
    s.U32(hintName);
    s.U32(0);
    s.U32(hintName);
    s.U32(0);
    s.U16(0);
    s.TextZ("ExitProcess");
    s.PadTo(0x50);
    s.TextZ("KERNEL32.dll");
    iatRva = iat;
    return s;
}

ByteBuffer ExportSection(uint32_t rva, const std::string& dllName, std::vector<std::string> names, uint32_t functionRva,
                         uint32_t timeStamp) {
    std::sort(names.begin(), names.end());  // the loader searches the name table by bisection
    const uint32_t n = uint32_t(names.size());
    const uint32_t functions = rva + 40, nameTable = functions + 4 * n, ordinals = nameTable + 4 * n;
    uint32_t strings = ordinals + 2 * n;
    ByteBuffer s;
    s.U32(0);
    s.U32(timeStamp);
    s.U16(0);
    s.U16(0);
    s.U32(strings);
    s.U32(1);
    s.U32(n);
    s.U32(n);
    s.U32(functions);
    s.U32(nameTable);
    s.U32(ordinals);
    for (uint32_t i = 0; i < n; ++i) s.U32(functionRva);
    uint32_t next = strings + uint32_t(dllName.size()) + 1;
    for (const auto& name : names) {
        s.U32(next);
        next += uint32_t(name.size()) + 1;
    }
    for (uint32_t i = 0; i < n; ++i) s.U16(i);
    s.TextZ(dllName);
    for (const auto& name : names) s.TextZ(name);
    return s;
}

uint32_t PeChecksum(const std::vector<uint8_t>& d, size_t checksumAt) {
    uint64_t sum = 0;
    for (size_t i = 0; i < d.size(); i += 2) {
        if (i == checksumAt || i == checksumAt + 2) continue;
        uint32_t w = d[i] | (i + 1 < d.size() ? d[i + 1] << 8 : 0);
        sum += w;
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return uint32_t(sum + d.size());
}

}  // namespace

std::vector<uint8_t> MakePe32(const Variant& v, const std::string& name, bool dll,
                              const std::vector<std::string>& exports, uint32_t size) {
    std::vector<Section> sections;
    const uint32_t imageBase = dll ? 0x10000000 : 0x00400000;

    Section text{".text", 0x1000, {}, 0x60000020};
    Section table{dll ? ".edata" : ".idata", 0x2000, {}, dll ? 0x40000040u : 0xC0000040u};
    uint32_t iatRva = 0;
    if (dll) {
        // DllMain returns TRUE; every export returns 0. Neither uses an absolute address,
        // so the DLL needs no relocations wherever it is loaded.
        const uint8_t entry[] = {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC2, 0x0C, 0x00};
        text.Raw.Data.assign(std::begin(entry), std::end(entry));
        text.Raw.PadTo(0x10, 0xCC);
        const uint8_t stub[] = {0x33, 0xC0, 0xC3};
        text.Raw.Data.insert(text.Raw.Data.end(), std::begin(stub), std::end(stub));
        table.Raw = ExportSection(table.Rva, name, exports, text.Rva + 0x10, v.TimeStamp);
    } else {
        table.Raw = ImportSection(table.Rva, iatRva);
        const uint32_t iatVa = imageBase + iatRva;
        // push 0; call [ExitProcess]
        const uint8_t code[] = {
            0x6A, 0x00, 0xFF, 0x15, uint8_t(iatVa), uint8_t(iatVa >> 8), uint8_t(iatVa >> 16), uint8_t(iatVa >> 24),
            0xCC};
        text.Raw.Data.assign(std::begin(code), std::end(code));
    }
    const uint32_t textUsed = uint32_t(text.Raw.Size()), tableUsed = uint32_t(table.Raw.Size());
    text.Raw.AlignTo(kFileAlign, 0xCC);
    table.Raw.AlignTo(kFileAlign);

    const uint32_t fillerAt = kHeaders + uint32_t(text.Raw.Size() + table.Raw.Size());
    if (size % kFileAlign || size < fillerAt + kFileAlign)
        throw std::runtime_error(name + ": a PE image must be a multiple of 512 bytes and large enough");
    Section filler{".data", AlignUp(table.Rva + tableUsed, kSectionAlign), {}, 0xC0000040};
    v.FillerFor(name).Fill(filler.Raw, size - fillerAt);

    sections.push_back(std::move(text));
    sections.push_back(std::move(table));
    sections.push_back(std::move(filler));
    std::vector<uint32_t> used = {textUsed, tableUsed, uint32_t(sections[2].Raw.Size())};

    ByteBuffer out;
    DosHeader(out);
    out.Text(std::string("PE\0\0", 4));
    out.U16(0x014C);  // i386
    out.U16(uint16_t(sections.size()));
    out.U32(v.TimeStamp);
    out.U32(0);
    out.U32(0);
    out.U16(0xE0);
    out.U16(dll ? 0x210E : 0x010F);  // DLL, or an executable with fixed base
    const Section& last = sections.back();
    const uint32_t imageSize = AlignUp(last.Rva + uint32_t(last.Raw.Size()), kSectionAlign);

    out.U16(0x010B);
    out.U8(2);
    out.U8(25);
    out.U32(uint32_t(sections[0].Raw.Size()));
    out.U32(uint32_t(sections[1].Raw.Size() + sections[2].Raw.Size()));
    out.U32(0);
    out.U32(sections[0].Rva);  // entry point: the start of .text
    out.U32(sections[0].Rva);
    out.U32(sections[1].Rva);
    out.U32(imageBase);
    out.U32(kSectionAlign);
    out.U32(kFileAlign);
    out.U16(4);
    out.U16(0);
    out.U16(1);
    out.U16(0);
    out.U16(4);
    out.U16(0);
    out.U32(0);
    out.U32(imageSize);
    out.U32(kHeaders);
    const size_t checksumAt = out.Size();
    out.U32(0);
    out.U16(2);                      // GUI subsystem
    out.U16(dll ? 0x0140 : 0x0100);  // NX compatible; the DLL may also move
    out.U32(0x100000);
    out.U32(0x4000);
    out.U32(0x100000);
    out.U32(0x1000);
    out.U32(0);
    out.U32(16);
    for (int dir = 0; dir < 16; ++dir) {
        if (dll && dir == 0) {
            out.U32(sections[1].Rva);
            out.U32(used[1]);
        } else if (!dll && dir == 1) {
            out.U32(sections[1].Rva);
            out.U32(40);
        } else if (!dll && dir == 12) {
            out.U32(iatRva);
            out.U32(8);
        } else {
            out.U32(0);
            out.U32(0);
        }
    }
    uint32_t raw = kHeaders;
    for (size_t i = 0; i < sections.size(); ++i) {
        std::string n = sections[i].Name;
        n.resize(8, '\0');
        out.Text(n);
        out.U32(used[i]);
        out.U32(sections[i].Rva);
        out.U32(uint32_t(sections[i].Raw.Size()));
        out.U32(raw);
        out.U32(0);
        out.U32(0);
        out.U16(0);
        out.U16(0);
        out.U32(sections[i].Characteristics);
        raw += uint32_t(sections[i].Raw.Size());
    }
    out.PadTo(kHeaders);
    for (const auto& s : sections) out.Bytes(s.Raw.Data);
    out.Put32(checksumAt, PeChecksum(out.Data, checksumAt));
    return out.Data;
}
