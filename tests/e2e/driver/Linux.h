// Checks that need a Linux tool (lnkinfo on a shortcut). Wine starts a Linux
// program given as a \\?\unix\ path, but hands back no process handle, no
// exit code and none of our pipes; so the command runs in a shell script that
// writes its output and status into the prefix, and we wait for the status.
#pragma once
#include <windows.h>
#include <string>

namespace e2e {

// The Linux path of a file in the prefix; empty outside Wine.
std::string UnixPath(const std::string& windowsPath);
// Quotes one word for /bin/sh.
std::string ShellQuote(const std::string& word);

struct LinuxResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

// Runs a /bin/sh command line; false when it could not start or did not end in time.
bool RunLinux(const std::string& command, LinuxResult& result, DWORD timeoutMs = 20000);

}  // namespace e2e
