#include "RemovalGuard.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "Messages.h"
#include "host/Shell.h"

namespace {

// The full form of a path (no file-system access); the text itself when it has none.
std::string FullPath(const std::string& path) {
    char full[MAX_PATH * 2] = "";
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

std::string Lower(std::string s) {
    CharLowerBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// Full, long, lower-case form without a trailing backslash, for comparisons.
std::string Canonical(const std::string& path) {
    std::string s = FullPath(path);
    char longer[MAX_PATH * 2] = "";
    const DWORD n = GetLongPathNameA(s.c_str(), longer, sizeof longer);
    if (n > 0 && n < sizeof longer) s.assign(longer, n);
    while (s.size() > 3 && s.back() == '\\') s.pop_back();
    return Lower(s);
}

bool IsDrive(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Where a UNC path's share name ends, or npos when it is not "\\server\share...".
size_t UncShareEnd(const std::string& p) {
    if (p.size() < 5 || p[0] != '\\' || p[1] != '\\' || p[2] == '\\' || p[2] == '?' || p[2] == '.')
        return std::string::npos;
    size_t server = p.find('\\', 2);
    if (server == std::string::npos || server == 2 || server + 1 >= p.size() || p[server + 1] == '\\')
        return std::string::npos;
    size_t share = p.find('\\', server + 1);
    return share == std::string::npos ? p.size() : share;
}

// Where the root ("C:" or "\\server\share") ends, at the backslash that follows
// it; npos when none follows or for any other form.
size_t RootEnd(const std::string& p) {
    const size_t end = p.size() >= 2 && IsDrive(p[0]) && p[1] == ':' ? 2 : UncShareEnd(p);
    return end < p.size() && p[end] == '\\' ? end : std::string::npos;
}

// Where each name below the root ends, read by characters: a double-byte
// character's trail byte is never taken for a backslash. Empty names do not count.
std::vector<size_t> NameEnds(const std::string& p, size_t root) {
    std::vector<size_t> ends;
    size_t start = root + 1;
    for (size_t i = start; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '\\') {
            if (i > start) ends.push_back(i);
            start = i + 1;
        } else if (IsDBCSLeadByte(static_cast<BYTE>(p[i])) && i + 1 < p.size()) {
            ++i;
        }
    }
    return ends;
}

}  // namespace

bool IsAbsolutePath(const std::string& p) {
    if (p.size() >= 3 && IsDrive(p[0]) && p[1] == ':' && p[2] == '\\') return true;
    return UncShareEnd(p) != std::string::npos;
}

bool IsRootPath(const std::string& p) {
    std::string s = p;
    while (!s.empty() && s.back() == '\\') s.pop_back();
    if (s.size() == 2 && IsDrive(s[0]) && s[1] == ':') return true;
    size_t end = UncShareEnd(s);
    return end != std::string::npos && end == s.size();
}

std::optional<std::string> WhyNotRemovable(const std::string& folder, const std::vector<std::string>& systemFolders) {
    if (IsRootPath(folder)) return std::string(msg::WhyRoot);
    if (!IsAbsolutePath(folder)) return std::string(msg::WhyNotAbsolute);
    // ".." could climb out of what the name seems to say; so could a doubled backslash.
    if (folder.find("\\..") != std::string::npos || folder.find("\\.\\") != std::string::npos ||
        folder.find("\\\\", 2) != std::string::npos)
        return std::string(msg::WhyNotAbsolute);
    const std::string mine = Canonical(folder);
    if (IsRootPath(mine)) return std::string(msg::WhyRoot);
    const size_t mineRoot = RootEnd(mine);
    const size_t depth = mineRoot == std::string::npos ? 0 : NameEnds(mine, mineRoot).size();
    // The long form is found name by name, so the first `depth` names of a system
    // folder alone decide whether this folder is it or holds it: only those are
    // looked up, once for all the folders that share them.
    std::vector<std::string> looked;
    for (const auto& sys : systemFolders) {
        if (sys.empty()) continue;
        std::string theirs = FullPath(sys);
        const size_t root = RootEnd(theirs);
        if (depth > 0 && root != std::string::npos) {
            const std::vector<size_t> ends = NameEnds(theirs, root);
            if (ends.size() < depth) continue;  // above this folder, never in it
            theirs.resize(ends[depth - 1]);
            // A folder that is missing is compared by the names it was given.
            if (Lower(theirs) == mine) return std::string(msg::WhySystemFolder);
            if (std::find(looked.begin(), looked.end(), theirs) != looked.end()) continue;
            looked.push_back(theirs);
        }
        theirs = Canonical(theirs);
        bool same = theirs == mine;
        bool holds =
            theirs.size() > mine.size() && theirs.compare(0, mine.size(), mine) == 0 && theirs[mine.size()] == '\\';
        if (same || holds) return std::string(msg::WhySystemFolder);
    }
    return std::nullopt;
}

std::vector<std::string> ShellSystemFolders() {
    std::vector<std::string> out;
    // Between them these hold every folder of the system and of the user that a
    // removal could reach. Read from the shell's record, not through item lists:
    // a folder that is missing now is guarded all the same.
    for (int csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROFILE,
                      CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_PROGRAMS, CSIDL_COMMON_APPDATA})
        if (auto p = host::RecordedFolderPath(csidl)) out.push_back(*p);
    return out;
}
