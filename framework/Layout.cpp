#include "Layout.h"

#include <cstdlib>

#include "Exception.h"

namespace vk {

const std::string* LayoutNode::Find(const std::string& key) const {
    for (const auto& [k, v] : Props)
        if (k == key) return &v;
    return nullptr;
}

namespace {

[[noreturn]] void SyntaxError(int line, const std::string& what) {
    throw Exception("Layout line " + std::to_string(line) + ": " + what);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A quoted value with \" \\ \n and \xNN escapes, so non-ASCII bytes stay exact.
std::string ReadQuoted(const std::string& s, size_t& i, int line) {
    std::string out;
    ++i;
    while (i < s.size() && s[i] != '"') {
        char c = s[i++];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i >= s.size()) break;
        char e = s[i++];
        if (e == 'n')
            out += '\n';
        else if (e == 'x' && i + 1 < s.size() && HexDigit(s[i]) >= 0 && HexDigit(s[i + 1]) >= 0) {
            out += static_cast<char>(HexDigit(s[i]) * 16 + HexDigit(s[i + 1]));
            i += 2;
        } else
            out += e;
    }
    if (i >= s.size()) SyntaxError(line, "unterminated text");
    ++i;
    return out;
}

std::vector<std::string> Tokens(const std::string& s, int line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        if (i >= s.size() || s[i] == '#') break;
        std::string tok;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t') {
            if (s[i] == '"')
                tok += ReadQuoted(s, i, line);
            else
                tok += s[i++];
        }
        out.push_back(tok);
    }
    return out;
}

}  // namespace

std::unique_ptr<LayoutNode> ParseLayout(const std::string& text) {
    std::unique_ptr<LayoutNode> root;
    std::vector<std::pair<size_t, LayoutNode*>> stack;  // indent, node
    size_t pos = 0;
    int line = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++line;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        size_t indent = raw.find_first_not_of(' ');
        if (indent == std::string::npos || raw[indent] == '#') continue;
        auto toks = Tokens(raw, line);
        if (toks.size() < 2) SyntaxError(line, "a kind and a name are needed");
        auto node = std::make_unique<LayoutNode>();
        node->Kind = toks[0];
        node->Name = toks[1];
        node->Line = line;
        for (size_t t = 2; t < toks.size(); ++t) {
            auto eq = toks[t].find('=');
            if (eq == std::string::npos || eq == 0) SyntaxError(line, "expected key=value: " + toks[t]);
            node->Props.emplace_back(toks[t].substr(0, eq), toks[t].substr(eq + 1));
        }
        while (!stack.empty() && stack.back().first >= indent) stack.pop_back();
        LayoutNode* raw_node = node.get();
        if (stack.empty()) {
            if (root) SyntaxError(line, "only one top-level window per description");
            root = std::move(node);
        } else {
            stack.back().second->Children.push_back(std::move(node));
        }
        stack.emplace_back(indent, raw_node);
        if (end == text.size()) break;
    }
    if (!root) throw Exception("Layout is empty");
    return root;
}

PropReader::PropReader(const LayoutNode& node) : node_(node), used_(node.Props.size(), false) {}

void PropReader::Fail(const std::string& key, const std::string& what) const {
    throw Exception("Layout line " + std::to_string(node_.Line) + ": " + node_.Name + "." + key + " " + what);
}

std::optional<std::string> PropReader::Text(const char* key) {
    for (size_t i = 0; i < node_.Props.size(); ++i)
        if (node_.Props[i].first == key) {
            used_[i] = true;
            return node_.Props[i].second;
        }
    return std::nullopt;
}

std::optional<std::vector<int>> PropReader::Ints(const char* key, size_t count) {
    auto t = Text(key);
    if (!t) return std::nullopt;
    std::vector<int> out;
    const char* p = t->c_str();
    while (*p) {
        char* endp = nullptr;
        long v = std::strtol(p, &endp, 10);
        if (endp == p) Fail(key, "is not a list of numbers");
        out.push_back(static_cast<int>(v));
        p = endp;
        if (*p == ',')
            ++p;
        else if (*p)
            Fail(key, "is not a list of numbers");
    }
    if (out.size() != count) Fail(key, "needs " + std::to_string(count) + " numbers");
    return out;
}

std::optional<int> PropReader::Int(const char* key) {
    auto v = Ints(key, 1);
    if (!v) return std::nullopt;
    return (*v)[0];
}

std::optional<bool> PropReader::Bool(const char* key) {
    auto t = Text(key);
    if (!t) return std::nullopt;
    if (*t == "1" || *t == "true") return true;
    if (*t == "0" || *t == "false") return false;
    Fail(key, "is not 0 or 1");
}

std::string PropReader::Require(const char* key) {
    auto t = Text(key);
    if (!t) Fail(key, "is missing");
    return *t;
}

std::vector<std::pair<std::string, std::string>> PropReader::TakeEvents() {
    std::vector<std::pair<std::string, std::string>> out;
    for (size_t i = 0; i < node_.Props.size(); ++i) {
        const auto& k = node_.Props[i].first;
        if (!used_[i] && k.size() > 2 && k[0] == 'o' && k[1] == 'n') {
            used_[i] = true;
            out.emplace_back(k.substr(2), node_.Props[i].second);
        }
    }
    return out;
}

void PropReader::CheckAllUsed() const {
    for (size_t i = 0; i < node_.Props.size(); ++i)
        if (!used_[i]) Fail(node_.Props[i].first, "is not a known property of a " + node_.Kind);
}

}  // namespace vk
