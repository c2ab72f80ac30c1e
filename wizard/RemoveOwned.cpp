#include "RemoveOwned.h"

#include <windows.h>

#include <algorithm>

#include "Folders.h"
#include "InstallLayout.h"
#include "Messages.h"
#include "Owner.h"
#include "Payload.h"

namespace {

// What kept a folder: entries the program did not write, and its own that stayed.
struct Kept {
    int files = 0;
    int folders = 0;
    bool stuck = false;
};

bool Holds(const std::vector<std::string>& paths, const std::string& path) {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::string& p) { return lstrcmpiA(p.c_str(), path.c_str()) == 0; });
}

// A relative path's own name, after its folder's.
std::string NameOf(const std::string& relative) { return relative.substr(ParentOf(relative).size()); }

// Makes the folder current, and checks that it is, and that it is still no
// link: bare names must resolve in this folder and nowhere else.
bool Enter(const std::string& path) {
    char full[MAX_PATH] = "", current[MAX_PATH] = "";
    if (!SetCurrentDirectoryA(path.c_str())) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    const DWORD f = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    const DWORD c = GetCurrentDirectoryA(MAX_PATH, current);
    if (f == 0 || f >= MAX_PATH || c == 0 || c >= MAX_PATH) return false;
    std::string a(full, f), b(current, c);
    for (std::string* s : {&a, &b})
        if (s->size() > 3 && s->back() == '\\') s->pop_back();
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Counts what is still in a folder that could not be removed.
void CountKept(const std::string& path, const std::string& relative, const OwnedTree& owned, Kept& kept) {
    WIN32_FIND_DATAA entry;
    const vk::FindHandle find(FindFirstFileA((path + "\\*").c_str(), &entry));
    bool any = false;
    if (find) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            any = true;
            const std::string mine = relative.empty() ? name : relative + "\\" + name;
            const bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            const bool link = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (folder && !link && Holds(owned.folders, mine)) continue;  // counted when it was left
            if (!folder && Holds(owned.files, mine))
                kept.stuck = true;
            else
                ++(folder ? kept.folders : kept.files);
        } while (FindNextFileA(find.get(), &entry));
    }
    // Empty, yet not removable: something holds it.
    if (!any) kept.stuck = true;
}

void Remove(const std::string& path, const std::string& relative, const OwnedTree& owned, Kept& kept) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    // A link where a folder of ours should be leads elsewhere: it is not entered,
    // and the folder above counts it as not ours.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return;
    if (!Enter(path)) {
        kept.stuck = true;
        return;
    }
    for (const std::string& file : owned.files)
        if (ParentFolder(file) == relative) DeleteFileA(NameOf(file).c_str());
    for (const std::string& folder : owned.folders)
        if (ParentFolder(folder) == relative) Remove(path + "\\" + NameOf(folder), folder, owned, kept);
    SetCurrentDirectoryA(ParentFolder(path).c_str());
    if (!RemoveDirectoryA(path.c_str())) CountKept(path, relative, owned, kept);
}

std::string Counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Why(const Kept& kept) {
    std::string why;
    if (kept.files || kept.folders) {
        if (kept.files) why = Counted(kept.files, "file", "files");
        if (kept.files && kept.folders) why += " and ";
        if (kept.folders) why += Counted(kept.folders, "folder", "folders");
        why += msg::NotInstalledByUs;
    }
    if (kept.stuck || why.empty()) why += (why.empty() ? "" : "; ") + std::string(msg::WhyFilesLeft);
    return why;
}

}  // namespace

const OwnedTree& InstalledTree() {
    static const OwnedTree tree = [] {
        OwnedTree t;
        for (const PayloadEntry& row : PayloadFiles) t.files.push_back(row.TargetPath);
        t.folders.assign(std::begin(kSubFolders), std::end(kSubFolders));
        return t;
    }();
    return tree;
}

const OwnedTree& GroupTree() {
    static const OwnedTree tree = [] {
        OwnedTree t;
        for (const GroupShortcut& s : kGroupShortcuts) t.files.push_back(std::string(s.name) + ".lnk");
        return t;
    }();
    return tree;
}

std::optional<std::string> RemoveOwned(const std::string& folder, const OwnedTree& owned) {
    std::string path = folder;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return std::string(msg::WhyLink);
    Kept kept;
    Remove(path, "", owned, kept);
    if (!FolderExists(path)) return std::nullopt;
    return Why(kept);
}
