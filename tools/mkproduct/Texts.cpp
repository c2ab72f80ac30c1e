#include <cctype>

#include "ByteBuffer.h"
#include "Formats.h"

std::vector<uint8_t> WithCrLf(const std::vector<uint8_t>& text) {
    std::vector<uint8_t> out;
    for (uint8_t c : text) {
        if (c == '\r') continue;
        if (c == '\n') out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

std::vector<uint8_t> Reworded(const Variant& v, const std::string& name, std::vector<uint8_t> text,
                              const WordingStart& start) {
    if (v.Sample()) return text;
    Filler filler = v.FillerFor(name);
    size_t index = 0;
    for (size_t at = 0; at < text.size(); ++index) {
        size_t end = at;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        const size_t from = start(index, std::string(text.begin() + at, text.begin() + end));
        for (size_t i = from == std::string::npos ? end : at + from; i < end; ++i) {
            if (!std::isalpha(text[i])) continue;
            text[i] = uint8_t((std::isupper(text[i]) ? 'A' : 'a') + filler.Next() % 26);
        }
        at = end;
        if (at < text.size() && text[at] == '\r') ++at;
        if (at < text.size() && text[at] == '\n') ++at;
    }
    return text;
}
