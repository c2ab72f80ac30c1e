#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "ByteBuffer.h"
#include "Formats.h"

namespace {

void MemberHeader(ByteBuffer& out, const std::string& name, uint32_t size, uint32_t timeStamp) {
    char header[61];
    std::snprintf(header, sizeof header, "%-16s%-12u%-6s%-6s%-8s%-10u`\n", name.c_str(), timeStamp, "", "", "0", size);
    out.Text(std::string(header, 60));
}

void Member(ByteBuffer& out, const std::string& name, const ByteBuffer& data, uint32_t timeStamp) {
    MemberHeader(out, name, uint32_t(data.Size()), timeStamp);
    out.Bytes(data.Data);
    out.AlignTo(2, '\n');
}

}  // namespace

std::vector<uint8_t> MakeCoffImportLibrary(const Variant& v, const std::string& dllName,
                                           const std::vector<std::string>& exports, uint32_t size) {
    // One short import object per export, each defining the code symbol and its __imp_ pointer.
    std::vector<ByteBuffer> imports;
    for (size_t i = 0; i < exports.size(); ++i) {
        ByteBuffer obj;
        const std::string symbol = "_" + exports[i];
        obj.U16(0);
        obj.U16(0xFFFF);
        obj.U16(0);
        obj.U16(0x014C);
        obj.U32(v.TimeStamp);
        obj.U32(uint32_t(symbol.size() + 1 + dllName.size() + 1));
        obj.U16(uint32_t(i));
        obj.U16(3 << 2);  // code, imported by the name without its leading underscore
        obj.TextZ(symbol);
        obj.TextZ(dllName);
        imports.push_back(obj);
    }
    struct Symbol {
        std::string Name;
        uint32_t Member;
    };
    std::vector<Symbol> symbols;
    for (size_t i = 0; i < exports.size(); ++i) {
        symbols.push_back({"__imp__" + exports[i], uint32_t(i)});
        symbols.push_back({"_" + exports[i], uint32_t(i)});
    }
    size_t strings = 0;
    for (const auto& s : symbols) strings += s.Name.size() + 1;
    const uint32_t n = uint32_t(symbols.size()), m = uint32_t(imports.size());
    const uint32_t first = 4 + 4 * n + uint32_t(strings);
    const uint32_t secondUsed = 4 + 4 * m + 4 + 2 * n + uint32_t(strings);
    auto even = [](uint32_t v) { return v + (v & 1); };
    uint32_t membersSize = 0;
    for (const auto& obj : imports) membersSize += 60 + even(uint32_t(obj.Size()));
    const uint32_t fixed = 8 + 60 + even(first) + 60 + membersSize;
    if (size < fixed + even(secondUsed) || (size - fixed) % 2)
        throw std::runtime_error(dllName + ": the COFF library does not fit its size");
    // Whatever the size leaves over trails the second linker member's string table, which
    // readers index by count and never scan to its end.
    const uint32_t second = size - fixed;

    std::vector<uint32_t> offsets;
    uint32_t at = fixed - membersSize;
    for (const auto& obj : imports) {
        offsets.push_back(at);
        at += 60 + even(uint32_t(obj.Size()));
    }

    ByteBuffer out;
    out.Text("!<arch>\n");
    ByteBuffer linker1;
    linker1.U32BigEndian(n);
    for (const auto& s : symbols) linker1.U32BigEndian(offsets[s.Member]);
    for (const auto& s : symbols) linker1.TextZ(s.Name);
    Member(out, "/", linker1, v.TimeStamp);

    std::vector<Symbol> sorted = symbols;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    ByteBuffer linker2;
    linker2.U32(m);
    for (uint32_t o : offsets) linker2.U32(o);
    linker2.U32(n);
    for (const auto& s : sorted) linker2.U16(s.Member + 1);
    for (const auto& s : sorted) linker2.TextZ(s.Name);
    linker2.PadTo(second);
    Member(out, "/", linker2, v.TimeStamp);

    for (const auto& obj : imports) Member(out, dllName + "/", obj, v.TimeStamp);
    if (out.Size() != size) throw std::runtime_error(dllName + ": COFF library size mismatch");
    return out.Data;
}
