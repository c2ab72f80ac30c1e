#pragma once
// Watches the shell and COM calls the wizard makes, at this executable's import
// table: special-folder lookups (which a test may make fail), COM
// initialisation, the link paths handed to the converter, and open requests
// (answered here, so no folder window is started). What the link object is
// told is seen by patching its class's method table, which every instance shares.

#include "TestSupport.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <set>
#include <string>
#include <vector>

namespace test {

struct OpenRequest {
    HWND owner = reinterpret_cast<HWND>(0xdeadbeef);
    std::string verb = "deadbeef", file = "deadbeef";
    bool noParameters = false, noDirectory = false;
    INT show = 0xdeadbeef;
};

struct ShellSeen {
    std::vector<std::pair<HWND, int>> lookups;  // owner, CSIDL
    std::set<int> failing;                      // CSIDLs that give no item list
    std::vector<std::string> com;               // "init" (single-threaded) / "uninit" / "open", in order
    std::vector<std::string> linkPaths;         // ANSI paths ending in ".lnk" sent for conversion
    std::vector<OpenRequest> opens;
    std::vector<std::string> linkCalls;  // "path:...", "description:...", "show:5", "other"
};

inline ShellSeen* shellSeen = nullptr;
inline decltype(&SHGetSpecialFolderLocation) realLocation = nullptr;
inline decltype(&CoInitializeEx) realCoInit = nullptr;
inline decltype(&CoUninitialize) realCoUninit = nullptr;
inline decltype(&MultiByteToWideChar) realToWide = nullptr;

// Method slots of IShellLinkA, counted from QueryInterface.
enum LinkSlot {
    kSetDescription = 7,
    kSetWorkingDirectory = 9,
    kSetArguments = 11,
    kSetHotkey = 13,
    kSetShowCmd = 15,
    kSetIconLocation = 17,
    kSetRelativePath = 18,
    kSetPath = 20,
    kSlotCount = 21
};
inline void* realLinkSlot[kSlotCount] = {};

inline void SeeLink(const std::string& call) {
    if (shellSeen) shellSeen->linkCalls.push_back(call);
}
inline HRESULT STDMETHODCALLTYPE OnSetPath(IShellLinkA* self, LPCSTR path) {
    SeeLink(std::string("path:") + (path ? path : "(null)"));
    return reinterpret_cast<HRESULT(STDMETHODCALLTYPE*)(IShellLinkA*, LPCSTR)>(realLinkSlot[kSetPath])(self, path);
}
inline HRESULT STDMETHODCALLTYPE OnSetDescription(IShellLinkA* self, LPCSTR text) {
    SeeLink(std::string("description:") + (text ? text : "(null)"));
    return reinterpret_cast<HRESULT(STDMETHODCALLTYPE*)(IShellLinkA*, LPCSTR)>(realLinkSlot[kSetDescription])(self,
                                                                                                              text);
}
inline HRESULT STDMETHODCALLTYPE OnSetShowCmd(IShellLinkA* self, int show) {
    SeeLink("show:" + std::to_string(show));
    return reinterpret_cast<HRESULT(STDMETHODCALLTYPE*)(IShellLinkA*, int)>(realLinkSlot[kSetShowCmd])(self, show);
}
// The setters that must not be used; they fail without touching the object.
inline HRESULT STDMETHODCALLTYPE OnOtherText(IShellLinkA*, LPCSTR) {
    SeeLink("other");
    return E_FAIL;
}
inline HRESULT STDMETHODCALLTYPE OnOtherIcon(IShellLinkA*, LPCSTR, int) {
    SeeLink("other");
    return E_FAIL;
}
inline HRESULT STDMETHODCALLTYPE OnOtherHotkey(IShellLinkA*, WORD) {
    SeeLink("other");
    return E_FAIL;
}

class LinkTablePatch {
public:
    LinkTablePatch() {
        // shell32 is loaded for the whole run, so the table outlives this apartment.
        const HRESULT init = CoInitialize(nullptr);
        IShellLinkA* link = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&link)))) {
            table_ = *reinterpret_cast<void***>(link);
            link->Release();
        }
        if (SUCCEEDED(init)) CoUninitialize();
        if (!table_) return;
        const std::pair<int, void*> hooks[] = {
            {kSetPath, reinterpret_cast<void*>(&OnSetPath)},
            {kSetDescription, reinterpret_cast<void*>(&OnSetDescription)},
            {kSetShowCmd, reinterpret_cast<void*>(&OnSetShowCmd)},
            {kSetWorkingDirectory, reinterpret_cast<void*>(&OnOtherText)},
            {kSetArguments, reinterpret_cast<void*>(&OnOtherText)},
            {kSetRelativePath, reinterpret_cast<void*>(&OnOtherIcon)},
            {kSetHotkey, reinterpret_cast<void*>(&OnOtherHotkey)},
            {kSetIconLocation, reinterpret_cast<void*>(&OnOtherIcon)},
        };
        for (const auto& [slot, hook] : hooks) {
            realLinkSlot[slot] = table_[slot];
            Write(slot, hook);
        }
    }
    ~LinkTablePatch() {
        if (table_)
            for (int slot = 0; slot < kSlotCount; ++slot)
                if (realLinkSlot[slot]) Write(slot, realLinkSlot[slot]);
    }
    LinkTablePatch(const LinkTablePatch&) = delete;
    LinkTablePatch& operator=(const LinkTablePatch&) = delete;
    bool ok() const { return table_ != nullptr; }

private:
    void Write(int slot, void* value) {
        DWORD old = 0;
        VirtualProtect(&table_[slot], sizeof(void*), PAGE_READWRITE, &old);
        table_[slot] = value;
        VirtualProtect(&table_[slot], sizeof(void*), old, &old);
    }
    void** table_ = nullptr;
};

inline HRESULT WINAPI OnLocation(HWND owner, int csidl, LPITEMIDLIST* list) {
    if (shellSeen) {
        shellSeen->lookups.emplace_back(owner, csidl);
        if (shellSeen->failing.count(csidl)) {
            *list = nullptr;
            return E_FAIL;
        }
    }
    return realLocation(owner, csidl, list);
}
inline HRESULT WINAPI OnCoInit(LPVOID reserved, DWORD model) {
    if (shellSeen) shellSeen->com.push_back(model & COINIT_MULTITHREADED ? "init-multithreaded" : "init");
    return realCoInit(reserved, model);
}
inline void WINAPI OnCoUninit() {
    if (shellSeen) shellSeen->com.push_back("uninit");
    realCoUninit();
}
inline int WINAPI OnToWide(UINT page, DWORD flags, LPCCH text, int length, LPWSTR out, int outLength) {
    if (shellSeen && outLength == 0 && text && length == -1) {
        std::string s = text;
        if (s.size() > 4 && _stricmp(s.c_str() + s.size() - 4, ".lnk") == 0) shellSeen->linkPaths.push_back(s);
    }
    return realToWide(page, flags, text, length, out, outLength);
}
inline HINSTANCE WINAPI OnOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    if (shellSeen) {
        shellSeen->opens.push_back(
            {owner, verb ? verb : "(null)", file ? file : "(null)", parameters == nullptr, directory == nullptr, show});
        shellSeen->com.push_back("open");
    }
    return reinterpret_cast<HINSTANCE>(42);
}

// The folder picker, answered as a Cancel without showing anything.
inline PIDLIST_ABSOLUTE WINAPI OnBrowse(LPBROWSEINFOA) {
    if (shellSeen) shellSeen->com.push_back("browse");
    return nullptr;
}

struct ShellWatch {
    ShellSeen calls;
    // Made before the import patches, so its own COM calls are not counted.
    LinkTablePatch linkTable;
    ImportPatch location{"shell32.dll", "SHGetSpecialFolderLocation", reinterpret_cast<void*>(&OnLocation)};
    ImportPatch coInit{"ole32.dll", "CoInitializeEx", reinterpret_cast<void*>(&OnCoInit)};
    ImportPatch coUninit{"ole32.dll", "CoUninitialize", reinterpret_cast<void*>(&OnCoUninit)};
    ImportPatch toWide{"kernel32.dll", "MultiByteToWideChar", reinterpret_cast<void*>(&OnToWide)};
    ImportPatch open{"shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&OnOpen)};
    ImportPatch browse{"shell32.dll", "SHBrowseForFolderA", reinterpret_cast<void*>(&OnBrowse)};
    ShellWatch() {
        realLocation = location.original<decltype(realLocation)>();
        realCoInit = coInit.original<decltype(realCoInit)>();
        realCoUninit = coUninit.original<decltype(realCoUninit)>();
        realToWide = toWide.original<decltype(realToWide)>();
        shellSeen = &calls;
    }
    ~ShellWatch() { shellSeen = nullptr; }
    bool ok() const {
        return linkTable.ok() && location.ok() && coInit.ok() && coUninit.ok() && toWide.ok() && open.ok() &&
               browse.ok();
    }
};

}  // namespace test
