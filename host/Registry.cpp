#include "host/Registry.h"

namespace host {

namespace {
char kKeyClass[] = "REG_SZ";
}

bool OpenKey(const std::string& path, RegKey& key) { return OpenSubKey(HKEY_LOCAL_MACHINE, path, key); }

bool OpenSubKey(HKEY parent, const std::string& name, RegKey& key) {
    return RegOpenKeyExA(parent, name.c_str(), 0, kKeyAccess, key.put()) == ERROR_SUCCESS;
}

bool CreateKey(const std::string& path, RegKey& key) {
    DWORD disposition = 0;
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, kKeyClass, REG_OPTION_NON_VOLATILE, kKeyAccess, nullptr,
                           key.put(), &disposition) == ERROR_SUCCESS;
}

bool SetTextValue(HKEY key, const std::string& name, const std::string& text) {
    return RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
}

ValueBytes QueryValueBytes(HKEY key, const std::string& name) {
    ValueBytes value;
    value.size = kValueBufferSize;
    value.status =
        RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value.data.data()), &value.size);
    if (value.status != ERROR_SUCCESS || value.size > kValueBufferSize) value.size = 0;
    return value;
}

bool ListValueNames(HKEY key, std::vector<std::string>& names) {
    names.clear();
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return false;
    std::string name;
    for (DWORD i = 0; i < count; ++i) {
        name.assign(longest + 1, '\0');
        DWORD length = longest + 1;
        if (RegEnumValueA(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            names.emplace_back(name.data(), length);
    }
    return true;
}

bool DeleteValue(HKEY key, const std::string& name) { return RegDeleteValueA(key, name.c_str()) == ERROR_SUCCESS; }

bool DeleteKeyTree(HKEY parent, const std::string& name) {
    {
        RegKey key;
        if (!OpenSubKey(parent, name, key)) return false;
        DWORD subkeys = 0;
        DWORD longest = 0;
        if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, &longest, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            // From the top down, so each deletion leaves the lower indexes in place.
            std::string child;
            for (DWORD i = subkeys; i-- > 0;) {
                child.assign(longest + 1, '\0');
                DWORD length = longest + 1;
                if (RegEnumKeyExA(key.get(), i, child.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS)
                    DeleteKeyTree(key.get(), std::string(child.data(), length));
            }
        }
    }
    return RegDeleteKeyExA(parent, name.c_str(), KEY_WOW64_32KEY, 0) == ERROR_SUCCESS;
}

}  // namespace host
