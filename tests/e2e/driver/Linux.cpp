#include "Linux.h"
#include "Environment.h"
#include "Handle.h"
#include "Wait.h"
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace e2e {

namespace {

using UnixFileName = char*(CDECL*)(LPCWSTR);

bool ReadAll(const std::string& path, std::string& text) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!f) return false;
    text.clear();
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) text.append(buffer, n);
    return true;
}

bool WriteAll(const std::string& path, const std::string& text) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
    return f && std::fwrite(text.data(), 1, text.size(), f.get()) == text.size();
}

}  // namespace

std::string UnixPath(const std::string& windowsPath) {
    auto convert = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), n);
    char* unix = convert(wide.c_str());
    if (!unix) return {};
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool RunLinux(const std::string& command, LinuxResult& result, DWORD timeoutMs) {
    static int serial = 0;
    const std::string folder = WorkFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string base =
        folder + "\\linux" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
    const std::string script = base + ".sh", output = base + ".out", status = base + ".rc";
    DeleteFileA(status.c_str());
    const std::string unixScript = UnixPath(script), unixOutput = UnixPath(output), unixStatus = UnixPath(status);
    if (unixScript.empty()) return false;
    // The status file appears whole, by rename, only after the output is complete.
    const std::string body = "(" + command + ") >" + ShellQuote(unixOutput) + " 2>&1 </dev/null\n" + "echo $? >" +
                             ShellQuote(unixStatus + ".tmp") + "\n" + "mv " + ShellQuote(unixStatus + ".tmp") + " " +
                             ShellQuote(unixStatus) + "\n";
    if (!WriteAll(script, body)) return false;

    std::string commandLine = "\\\\?\\unix\\bin\\sh \"" + unixScript + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    std::string statusText;
    if (!WaitUntil([&] { return ReadAll(status, statusText); }, timeoutMs, 20)) return false;
    result.exitCode = std::atoi(statusText.c_str());
    ReadAll(output, result.output);
    return true;
}

}  // namespace e2e
