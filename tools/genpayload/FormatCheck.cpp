#include "FormatCheck.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

#include "ExactTexts.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t U16(const Bytes& b, size_t at) { return at + 2 <= b.size() ? b[at] | b[at + 1] << 8 : 0; }
uint32_t U32(const Bytes& b, size_t at) { return at + 4 <= b.size() ? U16(b, at) | U16(b, at + 2) << 16 : 0; }

bool Begins(const Bytes& b, const std::string& text) {
    return b.size() >= text.size() && std::equal(text.begin(), text.end(), b.begin());
}

std::string Hex(uint32_t v) {
    char s[16];
    std::snprintf(s, sizeof s, "0x%X", v);
    return s;
}

std::string Pe32(const Bytes& b, bool dll) {
    if (!Begins(b, "MZP")) return "it does not begin \"MZP\"";
    const uint32_t pe = U32(b, 0x3C);
    if (pe < 0x40 || size_t(pe) + 24 + 0x60 > b.size() || !std::equal(b.begin() + pe, b.begin() + pe + 4, "PE\0\0"))
        return "there is no PE header where its DOS header points";
    if (U16(b, pe + 4) != 0x014C) return "its machine is " + Hex(U16(b, pe + 4)) + ", not i386";
    if (U16(b, pe + 24) != 0x010B) return "its optional header is not PE32";
    if (((U16(b, pe + 22) & 0x2000) != 0) != dll) return dll ? "it is not a DLL" : "it is a DLL";
    if (!dll && U16(b, pe + 24 + 68) != 2)
        return "its subsystem is " + std::to_string(U16(b, pe + 24 + 68)) + ", not GUI";
    const uint32_t sections = U16(b, pe + 6), table = pe + 24 + U16(b, pe + 20);
    if (sections == 0 || size_t(table) + 40 * sections > b.size()) return "its section table is missing or cut off";
    uint64_t end = 0;
    for (uint32_t s = 0; s < sections; ++s) {
        const size_t header = table + 40 * s;
        if (U32(b, header + 16)) end = std::max<uint64_t>(end, uint64_t(U32(b, header + 20)) + U32(b, header + 16));
    }
    if (end != b.size())
        return "its last section ends at byte " + std::to_string(end) + ", the file at " + std::to_string(b.size());
    return "";
}

std::string Tips(const Bytes& b, const std::string& count) {
    const std::string text(b.begin(), b.end());
    const std::string head = "[Config]\r\nMaxTip=" + count + "\r\nLastTip=" + count + "\r\n\r\n[Tips]\r\n";
    if (text.compare(0, head.size(), head) != 0)
        return "its first lines are not [Config], MaxTip=" + count + ", LastTip=" + count + ", a blank line and [Tips]";
    size_t at = head.size();
    const int n = std::atoi(count.c_str());
    for (int tip = 1; tip <= n; ++tip) {
        const std::string key = "Tip" + std::to_string(tip) + "=";
        const size_t end = std::min(text.find("\r\n", at), text.size());
        if (text.compare(at, key.size(), key) != 0 || end == at + key.size() || text.find_first_of("\r\n", at) < end)
            return "line " + std::to_string(6 + tip) + " is not " + key + " and a one-line hint ending CR LF";
        at = end == text.size() ? end : end + 2;
    }
    if (at != text.size()) return "something follows Tip" + count;
    return "";
}

std::string Exact(const FormatRule& rule, const Bytes& b) {
    Bytes want;
    ExactText(rule, want);
    if (b == want) return "";
    const auto [got, expected] = std::mismatch(b.begin(), b.end(), want.begin(), want.end());
    const size_t at = got - b.begin();
    const size_t line = 1 + std::count(b.begin(), got, uint8_t('\n'));
    size_t lineStart = at;
    while (lineStart > 0 && want[lineStart - 1] != '\n') --lineStart;
    size_t lineEnd = lineStart;
    while (lineEnd < want.size() && want[lineEnd] != '\r' && want[lineEnd] != '\n') ++lineEnd;
    return "line " + std::to_string(line) + " differs from \"" +
           std::string(want.begin() + lineStart, want.begin() + lineEnd) + "\"";
}

struct Rule {
    std::function<std::string(const std::string& argument)> Meaning;
    std::function<std::string(const FormatRule& rule, const Bytes& b)> Check;
};

const std::map<std::string, Rule>& Rules() {
    static const std::map<std::string, Rule> rules = {
        {"pe32-gui",
         {[](auto&) { return "a PE32 i386 GUI program that begins \"MZP\" and ends at its last section"; },
          [](auto&, const Bytes& b) { return Pe32(b, false); }}},
        {"pe32-dll",
         {[](auto&) { return "a PE32 i386 DLL that begins \"MZP\" and ends at its last section"; },
          [](auto&, const Bytes& b) { return Pe32(b, true); }}},
        {"omf16",
         {[](auto&) { return "an OMF library: first record type F0 hex, page size 16"; },
          [](auto&, const Bytes& b) -> std::string {
              if (b.empty() || b[0] != 0xF0) return "its first record is not of type F0 hex";
              if (U16(b, 1) + 3 != 16) return "its page size is " + std::to_string(U16(b, 1) + 3);
              return "";
          }}},
        {"coff-archive",
         {[](auto&) { return "a COFF archive beginning \"!<arch>\" and a line feed"; },
          [](auto&, const Bytes& b) -> std::string {
              return Begins(b, "!<arch>\n") ? "" : "it does not begin \"!<arch>\" and a line feed";
          }}},
        {"itsf3",
         {[](auto&) { return "a compiled help file: \"ITSF\", version 3"; },
          [](auto&, const Bytes& b) -> std::string {
              if (!Begins(b, "ITSF")) return "it does not begin \"ITSF\"";
              if (U32(b, 4) != 3) return "its version is " + std::to_string(U32(b, 4));
              return "";
          }}},
        {"fws5",
         {[](auto&) { return "an uncompressed movie: \"FWS\", version 5, header length equal to its size"; },
          [](auto&, const Bytes& b) -> std::string {
              if (Begins(b, "CWS")) return "it is compressed";
              if (!Begins(b, "FWS") || b.size() < 8) return "it does not begin \"FWS\"";
              if (b[3] != 5) return "its version is " + std::to_string(b[3]);
              if (U32(b, 4) != b.size()) return "its header length is " + std::to_string(U32(b, 4));
              return "";
          }}},
        {"lines",
         {[](const std::string& a) { return "exactly the lines " + a + ", each ending CR LF"; },
          [](const FormatRule& r, const Bytes& b) { return Exact(r, b); }}},
        {"sine",
         {[](const std::string& a) { return "the " + a + " lines of x and sin x from 0 to 2 pi"; },
          [](const FormatRule& r, const Bytes& b) { return Exact(r, b); }}},
        {"tips",
         {[](const std::string& a) {
              return "[Config] with MaxTip=" + a + " and LastTip=" + a + ", a blank line, [Tips] with Tip1 to Tip" + a;
          },
          [](const FormatRule& r, const Bytes& b) { return Tips(b, r.Argument); }}},
        {"begins",
         {[](const std::string& a) { return "a text that begins \"" + a + "\""; },
          [](const FormatRule& r, const Bytes& b) -> std::string {
              return Begins(b, r.Argument) ? "" : "it does not begin \"" + r.Argument + "\"";
          }}},
        {"text", {[](auto&) { return "any text"; }, [](auto&, const Bytes&) { return std::string(); }}},
    };
    return rules;
}

}  // namespace

std::string FormatMeaning(const std::string& format) {
    const FormatRule rule = ParseFormatRule(format);
    auto it = Rules().find(rule.Name);
    if (it == Rules().end()) return "";
    Bytes unused;
    if ((rule.Name == "lines" || rule.Name == "sine") && !ExactText(rule, unused)) return "";
    if (rule.Name == "tips" && std::atoi(rule.Argument.c_str()) < 1) return "";
    return it->second.Meaning(rule.Argument);
}

std::string FormatBreach(const std::string& format, const std::vector<uint8_t>& bytes) {
    const FormatRule rule = ParseFormatRule(format);
    return Rules().at(rule.Name).Check(rule, bytes);
}
