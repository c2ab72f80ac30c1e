#include "ExactTexts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {

void Append(std::vector<uint8_t>& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }

// Lines separated by "|", each ending CR LF.
std::vector<uint8_t> Lines(const std::string& list) {
    std::vector<uint8_t> out;
    size_t from = 0;
    for (size_t bar; (bar = list.find('|', from)) != std::string::npos; from = bar + 1)
        Append(out, list.substr(from, bar - from) + "\r\n");
    Append(out, list.substr(from) + "\r\n");
    return out;
}

// x and sin x for x from 0 to 2 pi; the first line is "\t0         0", the others two
// columns of width 10 with four decimals, CR LF between lines and none after the last.
std::vector<uint8_t> SineTable(int lines) {
    std::vector<uint8_t> out;
    Append(out, "\t0         0");
    for (int i = 1; i < lines; ++i) {
        const double x = 2 * std::numbers::pi * i / (lines - 1);
        double y = std::sin(x);
        if (std::fabs(y) < 0.00005) y = 0;  // sin(2 pi) would print as "-0.0000"
        char line[64];
        std::snprintf(line, sizeof line, "\r\n%10.4f%10.4f", x, y);
        Append(out, line);
    }
    return out;
}

}  // namespace

FormatRule ParseFormatRule(const std::string& format) {
    const size_t eq = format.find('=');
    if (eq == std::string::npos) return {format, ""};
    return {format.substr(0, eq), format.substr(eq + 1)};
}

bool ExactText(const FormatRule& rule, std::vector<uint8_t>& text) {
    if (rule.Name == "lines") {
        text = Lines(rule.Argument);
        return true;
    }
    if (rule.Name == "sine") {
        const int lines = std::atoi(rule.Argument.c_str());
        if (lines < 2) return false;
        text = SineTable(lines);
        return true;
    }
    return false;
}
