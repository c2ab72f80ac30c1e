#pragma once
// Records the registry calls this executable makes while a Watch is alive,
// by patching its import table: the product code carries no test seam.

#include "TestSupport.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace test {

// Calls seen at the import table while a Watch is alive.
struct Seen {
    std::vector<std::pair<std::string, DWORD>> setCounts;  // value name, byte count
    std::vector<DWORD> setTypes, queryEntrySizes;
    std::vector<bool> queryAskedType;
    std::vector<HKEY> opened, closed;
};
// The compiler treats an import's address as constant and may call a hook
// after its patch is gone, so hooks forward through pointers that stay valid.
inline Seen* seen = nullptr;
inline decltype(&RegSetValueExA) realSet = nullptr;
inline decltype(&RegQueryValueExA) realQuery = nullptr;
inline decltype(&RegOpenKeyExA) realOpen = nullptr;
inline decltype(&RegCloseKey) realClose = nullptr;
inline decltype(&RegCreateKeyExA) realCreate = nullptr;

inline LONG WINAPI OnSet(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD count) {
    if (seen) {
        seen->setCounts.emplace_back(name, count);
        seen->setTypes.push_back(type);
    }
    return realSet(key, name, reserved, type, data, count);
}
inline LONG WINAPI OnQuery(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (seen) {
        seen->queryEntrySizes.push_back(size ? *size : 0xdeadbeef);
        seen->queryAskedType.push_back(type != nullptr);
    }
    return realQuery(key, name, reserved, type, data, size);
}
inline LONG WINAPI OnOpen(HKEY parent, LPCSTR name, DWORD options, REGSAM access, PHKEY key) {
    LONG result = realOpen(parent, name, options, access, key);
    if (seen && result == ERROR_SUCCESS) seen->opened.push_back(*key);
    return result;
}
inline LONG WINAPI OnCreate(HKEY parent, LPCSTR name, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
                            LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition) {
    LONG result = realCreate(parent, name, reserved, keyClass, options, access, security, key, disposition);
    if (seen && result == ERROR_SUCCESS) seen->opened.push_back(*key);
    return result;
}
inline LONG WINAPI OnClose(HKEY key) {
    if (seen) seen->closed.push_back(key);
    return realClose(key);
}

struct Watch {
    Seen calls;
    ImportPatch set{"advapi32.dll", "RegSetValueExA", reinterpret_cast<void*>(&OnSet)};
    ImportPatch query{"advapi32.dll", "RegQueryValueExA", reinterpret_cast<void*>(&OnQuery)};
    ImportPatch open{"advapi32.dll", "RegOpenKeyExA", reinterpret_cast<void*>(&OnOpen)};
    ImportPatch close{"advapi32.dll", "RegCloseKey", reinterpret_cast<void*>(&OnClose)};
    ImportPatch create{"advapi32.dll", "RegCreateKeyExA", reinterpret_cast<void*>(&OnCreate)};
    Watch() {
        realSet = set.original<decltype(realSet)>();
        realQuery = query.original<decltype(realQuery)>();
        realOpen = open.original<decltype(realOpen)>();
        realClose = close.original<decltype(realClose)>();
        realCreate = create.original<decltype(realCreate)>();
        seen = &calls;
    }
    ~Watch() { seen = nullptr; }
    bool ok() const { return set.ok() && query.ok() && open.ok() && close.ok() && create.ok(); }
    // Every key opened or created was closed, each exactly once.
    bool ClosedEachOnce() const {
        std::vector<HKEY> opened = calls.opened, closed = calls.closed;
        std::sort(opened.begin(), opened.end());
        std::sort(closed.begin(), closed.end());
        return opened == closed;
    }
};

}  // namespace test
