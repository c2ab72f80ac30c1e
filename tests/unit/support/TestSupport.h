#pragma once
// Test-side helpers: raw registry access that bypasses the code under test,
// and an import-table patch to watch the calls the product code makes.

#include <windows.h>

#include <cstring>
#include <string>

namespace test {

// Replaces this executable's import of dll!function for the patch's lifetime.
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* replacement) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
            if (_stricmp(reinterpret_cast<char*>(base + d->Name), dll) != 0) continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) == 0) {
                    slot_ = reinterpret_cast<void**>(&slots->u1.Function);
                    original_ = *slot_;
                    Write(replacement);
                    return;
                }
            }
        }
    }
    ~ImportPatch() {
        if (slot_) Write(original_);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool ok() const { return slot_ != nullptr; }
    template <typename F>
    F original() const {
        return reinterpret_cast<F>(original_);
    }

private:
    void Write(void* value) {
        DWORD old = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &old);
        *slot_ = value;
        VirtualProtect(slot_, sizeof(void*), old, &old);
    }
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

inline HKEY RawOpen(const std::string& path, REGSAM view = KEY_WOW64_32KEY) {
    HKEY key = nullptr;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS ? key
                                                                                                            : nullptr;
}

inline bool RawExists(const std::string& path, REGSAM view = KEY_WOW64_32KEY) {
    HKEY key = RawOpen(path, view);
    if (key) RegCloseKey(key);
    return key != nullptr;
}

inline void RawCreate(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                        &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

// Removes HKLM\Software\<name> of the 32-bit view, whatever it holds.
inline void RawDeleteTree(const std::string& name) {
    HKEY software = RawOpen("Software");
    RegDeleteTreeA(software, name.c_str());
    RegCloseKey(software);
}

// Plants a value of any type and exact bytes. The data is copied behind a
// non-NUL guard byte, so the registry cannot add a terminator of its own.
inline void RawPlant(const std::string& path, const char* name, DWORD type, const std::string& bytes) {
    RawCreate(path);
    HKEY key = RawOpen(path);
    std::string guarded = bytes + 'X';
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(guarded.data()), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

struct RawValue {
    LONG status = 0xdeadbeef;
    DWORD type = 0xdeadbeef;
    std::string bytes;
};

inline RawValue RawRead(const std::string& path, const char* name) {
    RawValue value;
    HKEY key = RawOpen(path);
    char data[2048];
    std::memset(data, 0xcc, sizeof data);
    DWORD size = sizeof data;
    value.status = RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size);
    if (value.status == ERROR_SUCCESS) value.bytes.assign(data, size);
    RegCloseKey(key);
    return value;
}

}  // namespace test
