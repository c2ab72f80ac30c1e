// What a .lnk file in the prefix says, as Linux's lnkinfo reads it. lnkinfo
// always shows the show command as 0, so that one is read from the file.
#pragma once
#include <windows.h>
#include <string>

namespace e2e {

struct ShortcutFacts {
    std::string localPath;  // texts in the ANSI code page, as the program wrote them
    std::string description;
    std::string workingDirectory;
    std::string arguments;
    std::string iconLocation;
    int iconIndex = -1;
    DWORD showCommand = 0xDEADBEEF;
};

// False, with the reason in failure, when the file is missing or unreadable.
bool ReadShortcut(const std::string& lnkPath, ShortcutFacts& facts, std::string* failure = nullptr);

}  // namespace e2e
