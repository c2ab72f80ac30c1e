#pragma once
// The registry operations the setup needs. Every key lives under
// HKEY_LOCAL_MACHINE in the 32-bit view, so 32- and 64-bit builds share one record.

#include "host/RegKey.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace host {

inline constexpr REGSAM kKeyAccess = KEY_ALL_ACCESS | KEY_WOW64_32KEY;
inline constexpr DWORD kValueBufferSize = 260;

// Opens an existing key below HKEY_LOCAL_MACHINE.
bool OpenKey(const std::string& path, RegKey& key);

// Opens an existing key below an open one (same view and access).
bool OpenSubKey(HKEY parent, const std::string& name, RegKey& key);

// Opens the key, creating it and any missing parents, with the key class "REG_SZ".
bool CreateKey(const std::string& path, RegKey& key);

// Writes a REG_SZ value; the byte count is the text's length, no terminator counted.
bool SetTextValue(HKEY key, const std::string& name, const std::string& text);

// One query of a value into a fresh 260-byte buffer. `data` is meaningful
// only when status is ERROR_SUCCESS, and then only its first `size` bytes.
struct ValueBytes {
    LONG status = ERROR_INVALID_FUNCTION;
    DWORD size = 0;
    std::array<char, kValueBufferSize> data{};
};
ValueBytes QueryValueBytes(HKEY key, const std::string& name);

// Every value name of the key; false when the key could not be queried.
bool ListValueNames(HKEY key, std::vector<std::string>& names);

bool DeleteValue(HKEY key, const std::string& name);

// Deletes parent\name with all its subkeys, deepest first, highest index
// first; true when the key itself was deleted.
bool DeleteKeyTree(HKEY parent, const std::string& name);

}  // namespace host
