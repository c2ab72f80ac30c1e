// The installation record in HKEY_LOCAL_MACHINE, 32-bit view, as another
// program sees it and plants it.
#pragma once
#include <map>
#include <optional>
#include <string>

namespace e2e {

inline constexpr char kMakerKey[] = "Software\\Kestrelmoor";
inline constexpr char kRecordKey[] = "Software\\Kestrelmoor\\Vaskel";
using Record = std::map<std::string, std::string>;

// Each value's bytes, less the one terminator the registry may count itself;
// nullopt when the key does not exist.
std::optional<Record> ReadRecord();
bool MakerKeyExists();
// Stored as the program stores them: REG_SZ without a terminating NUL.
bool PlantValue(const std::string& name, const std::string& bytes);
bool PlantRecord(const Record& values);
// Deletes a record an earlier test may have left; false when it stays.
bool ForgetRecord();

}  // namespace e2e
