#pragma once
// The installation record: the product key RegistryBase\Vaskel under
// HKEY_LOCAL_MACHINE (32-bit view) with five REG_SZ values. Plain values in
// and out, so the wizard's form only adapts them to its controls.

#include <optional>
#include <string>

#include "Messages.h"

inline constexpr char kProductSubkey[] = "Vaskel";
inline constexpr char kRecordVersion[] = "1.1";

struct InstallRecordValues {
    // Up to the first NUL; empty when the value is absent or larger than the read.
    std::string Components;
    // nullopt: not known. The value is absent, does not fit the 260-byte
    // read, holds bytes after a NUL, is empty, or holds control characters;
    // nothing may be removed on its word.
    std::optional<std::string> BaseFolder;
    // True exactly when the value reads and its text (up to a NUL) begins with "1".
    bool Menu = false;
    bool Icon = false;
};

// The product key's path for a maker key path.
std::string ProductKeyPath(const std::string& registryBase);

// True when the product key opens with full access.
bool RecordExists(const std::string& registryBase);

// Creates the product key (and a missing maker key) and writes Version,
// Components, BaseFolder, Menu and Icon in that order; false when the key
// could not be created, in which case nothing was written.
bool WriteRecord(const std::string& registryBase, const std::string& components, const std::string& baseFolder,
                 bool menu, bool icon);

// False when the product key could not be opened; `out` is then untouched.
bool ReadRecord(const std::string& registryBase, InstallRecordValues& out);

enum class DeleteRecordResult { Deleted, ErrorOpeningKey, ErrorOpeningParentKey };

// Deletes every value of the product key, then the key with all its subkeys.
// The maker key stays. ErrorOpeningKey: nothing was deleted.
// ErrorOpeningParentKey: the values are gone, the empty product key stays.
DeleteRecordResult DeleteRecord(const std::string& registryBase);

// The message the wizard shows for a result; empty for Deleted.
std::string DeleteRecordMessage(DeleteRecordResult result, const std::string& registryBase);
