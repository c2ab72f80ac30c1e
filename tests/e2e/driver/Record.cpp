#include "Record.h"

#include <windows.h>

#include "Handle.h"

namespace e2e {

namespace {

RegKey Open(const char* path, REGSAM access) {
    RegKey key;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access | KEY_WOW64_32KEY, key.put());
    return key;
}

}  // namespace

std::optional<Record> ReadRecord() {
    const RegKey key = Open(kRecordKey, KEY_READ);
    if (!key) return std::nullopt;
    Record record;
    for (DWORD i = 0;; ++i) {
        char name[256], data[1024];
        DWORD nameSize = sizeof name, dataSize = sizeof data;
        if (RegEnumValueA(key.get(), i, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &dataSize) !=
            ERROR_SUCCESS)
            break;
        std::string text(data, dataSize);
        if (!text.empty() && text.back() == '\0') text.pop_back();
        record[name] = text;
    }
    return record;
}

bool MakerKeyExists() { return static_cast<bool>(Open(kMakerKey, KEY_READ)); }

bool PlantValue(const std::string& name, const std::string& bytes) {
    RegKey key;
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                           key.put(), nullptr) == ERROR_SUCCESS &&
           RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool PlantRecord(const Record& values) {
    for (const auto& [name, text] : values)
        if (!PlantValue(name, text)) return false;
    return true;
}

bool ForgetRecord() {
    const RegKey maker = Open(kMakerKey, KEY_ALL_ACCESS);
    if (!maker) return true;
    const LSTATUS r = RegDeleteTreeA(maker.get(), "Vaskel");
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
}

}  // namespace e2e
