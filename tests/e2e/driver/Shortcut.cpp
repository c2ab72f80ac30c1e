#include "Shortcut.h"
#include "Linux.h"
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace e2e {

namespace {

std::string Utf8ToAnsi(const std::string& utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
    int m = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string ansi(m, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), n, ansi.data(), m, nullptr, nullptr);
    return ansi;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool Fail(std::string* failure, const std::string& why) {
    if (failure) *failure = why;
    return false;
}

}  // namespace

bool ReadShortcut(const std::string& lnkPath, ShortcutFacts& facts, std::string* failure) {
    facts = ShortcutFacts{};
    {
        std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(lnkPath.c_str(), "rb"), std::fclose);
        if (!f) return Fail(failure, "cannot open " + lnkPath);
        unsigned char header[0x40];
        if (std::fread(header, 1, sizeof header, f.get()) != sizeof header || header[0] != 0x4C)
            return Fail(failure, lnkPath + " is no shell link");
        facts.showCommand = header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | DWORD(header[0x3F]) << 24;
    }
    LinuxResult r;
    if (!RunLinux("lnkinfo " + ShellQuote(UnixPath(lnkPath)), r)) return Fail(failure, "lnkinfo did not run");
    if (r.exitCode != 0) return Fail(failure, "lnkinfo failed: " + r.output);
    std::istringstream lines(Utf8ToAnsi(r.output));
    std::string line;
    bool inLinkInformation = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line[0] != '\t') {
            inLinkInformation = line.rfind("Link information:", 0) == 0;
            continue;
        }
        const auto colon = line.find(':');
        if (!inLinkInformation || colon == std::string::npos) continue;
        const std::string key = Trim(line.substr(0, colon)), value = Trim(line.substr(colon + 1));
        if (key == "Local path")
            facts.localPath = value;
        else if (key == "Description")
            facts.description = value;
        else if (key == "Working directory")
            facts.workingDirectory = value;
        else if (key == "Command line arguments")
            facts.arguments = value;
        else if (key == "Icon location")
            facts.iconLocation = value;
        else if (key == "Icon index")
            facts.iconIndex = std::atoi(value.c_str());
    }
    return true;
}

}  // namespace e2e
