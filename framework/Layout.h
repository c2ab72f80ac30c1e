#pragma once
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vk {

// One window or control of a layout description: "kind Name key=value ...",
// children indented below their parent.
struct LayoutNode {
    std::string Kind;
    std::string Name;
    int Line = 0;
    std::vector<std::pair<std::string, std::string>> Props;
    std::vector<std::unique_ptr<LayoutNode>> Children;

    const std::string* Find(const std::string& key) const;
};

// Parses a whole description; throws vk::Exception naming the line on bad syntax.
std::unique_ptr<LayoutNode> ParseLayout(const std::string& text);

// Reads the properties of one node and remembers which were used, so that a
// property nobody asked for can be reported as unknown.
class PropReader {
public:
    explicit PropReader(const LayoutNode& node);
    std::optional<std::string> Text(const char* key);
    std::optional<int> Int(const char* key);
    std::optional<bool> Bool(const char* key);
    std::optional<std::vector<int>> Ints(const char* key, size_t count);
    std::string Require(const char* key);
    // Every "onXxx" property not yet read, for event binding.
    std::vector<std::pair<std::string, std::string>> TakeEvents();
    // Throws when a property was never read.
    void CheckAllUsed() const;

private:
    const LayoutNode& node_;
    std::vector<bool> used_;
    [[noreturn]] void Fail(const std::string& key, const std::string& what) const;
};

}  // namespace vk
