#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A manifest format, "name" or "name=argument".
struct FormatRule {
    std::string Name, Argument;
};
FormatRule ParseFormatRule(const std::string& format);

// The bytes a file under a "lines=" or "sine=" rule must hold, exactly: the sample is
// made from them and every product is held to them. False for any other rule.
bool ExactText(const FormatRule& rule, std::vector<uint8_t>& text);
