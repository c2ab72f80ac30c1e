#include "wizard/InstallRecord.h"

#include "host/Registry.h"

#include <algorithm>
#include <vector>

namespace {

// A value's text: its bytes up to the first NUL. nullopt when the query failed
// (absent, larger than the buffer, ...). The type is not asked; a value of
// another type is judged by its bytes alike.
struct ValueText {
    std::string text;
    bool hidden = false;  // other bytes follow the NUL
};

std::optional<ValueText> ReadText(HKEY key, const char* name) {
    host::ValueBytes value = host::QueryValueBytes(key, name);
    if (value.status != ERROR_SUCCESS) return std::nullopt;
    const char* begin = value.data.data();
    const char* end = begin + value.size;
    const char* nul = std::find(begin, end, '\0');
    return ValueText{std::string(begin, nul), std::any_of(nul, end, [](char c) { return c != '\0'; })};
}

bool IsTrustedFolder(const std::string& text) {
    if (text.empty()) return false;
    return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool IsSet(const std::optional<ValueText>& value) { return value && !value->text.empty() && value->text[0] == '1'; }

}  // namespace

std::string ProductKeyPath(const std::string& registryBase) { return registryBase + "\\" + kProductSubkey; }

bool RecordExists(const std::string& registryBase) {
    host::RegKey key;
    return host::OpenKey(ProductKeyPath(registryBase), key);
}

bool WriteRecord(const std::string& registryBase, const std::string& components, const std::string& baseFolder,
                 bool menu, bool icon) {
    host::RegKey key;
    if (!host::CreateKey(ProductKeyPath(registryBase), key)) return false;
    host::SetTextValue(key.get(), "Version", kRecordVersion);
    host::SetTextValue(key.get(), "Components", components);
    host::SetTextValue(key.get(), "BaseFolder", baseFolder);
    host::SetTextValue(key.get(), "Menu", menu ? "1" : "0");
    host::SetTextValue(key.get(), "Icon", icon ? "1" : "0");
    return true;
}

bool ReadRecord(const std::string& registryBase, InstallRecordValues& out) {
    host::RegKey key;
    if (!host::OpenKey(ProductKeyPath(registryBase), key)) return false;
    std::optional<ValueText> components = ReadText(key.get(), "Components");
    std::optional<ValueText> baseFolder = ReadText(key.get(), "BaseFolder");
    std::optional<ValueText> menu = ReadText(key.get(), "Menu");
    std::optional<ValueText> icon = ReadText(key.get(), "Icon");

    out.Components = components ? components->text : std::string();
    // A folder with bytes hidden behind a NUL is not the folder it seems to name.
    const bool trusted = baseFolder && !baseFolder->hidden && IsTrustedFolder(baseFolder->text);
    out.BaseFolder = trusted ? std::optional<std::string>(baseFolder->text) : std::nullopt;
    out.Menu = IsSet(menu);
    out.Icon = IsSet(icon);
    return true;
}

DeleteRecordResult DeleteRecord(const std::string& registryBase) {
    {
        host::RegKey product;
        if (!host::OpenKey(ProductKeyPath(registryBase), product)) return DeleteRecordResult::ErrorOpeningKey;
        std::vector<std::string> names;
        host::ListValueNames(product.get(), names);
        for (const std::string& name : names) host::DeleteValue(product.get(), name);
    }
    host::RegKey maker;
    if (!host::OpenKey(registryBase, maker)) return DeleteRecordResult::ErrorOpeningParentKey;
    host::DeleteKeyTree(maker.get(), kProductSubkey);
    return DeleteRecordResult::Deleted;
}

std::string DeleteRecordMessage(DeleteRecordResult result, const std::string& registryBase) {
    switch (result) {
        case DeleteRecordResult::ErrorOpeningKey:
            return msg::ErrorOpeningKey;
        case DeleteRecordResult::ErrorOpeningParentKey:
            return msg::ErrorOpeningParentKey + registryBase;
        case DeleteRecordResult::Deleted:
            break;
    }
    return {};
}
