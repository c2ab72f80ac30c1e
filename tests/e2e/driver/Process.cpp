#include "Process.h"
#include "Window.h"
#include <tlhelp32.h>

namespace e2e {

bool AppProcess::Start(const std::string& exe, const std::string& arguments) {
    Kill();
    std::string folder = exe.substr(0, exe.find_last_of('\\') == std::string::npos ? 0 : exe.find_last_of('\\'));
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        error_ = GetLastError();
        return false;
    }
    CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    id_ = pi.dwProcessId;
    exitCode_ = 0xDEADBEEF;
    // Windows of a GUI program are worth looking for only once it waits for input.
    WaitForInputIdle(pi.hProcess, 10000);
    return true;
}

bool AppProcess::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool AppProcess::WaitExit(DWORD timeoutMs) {
    if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_.get(), &exitCode_);
    return true;
}

void AppProcess::Kill() {
    if (Running()) {
        TerminateProcess(process_.get(), 0xDEAD);
        WaitForSingleObject(process_.get(), 5000);
    }
    if (process_ && !keepStarted_) EndStarted();
    process_.reset();
    keepStarted_ = false;
}

void AppProcess::EndStarted() const {
    // Under Wine the first program to open a window also starts the desktop's
    // process; that one belongs to the machine, not to the program.
    DWORD desktop = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &desktop);
    // A process whose parent had our id before us started before us: not ours.
    FILETIME started{}, unused{};
    GetProcessTimes(process_.get(), &started, &unused, &unused, &unused);
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID != id_ || entry.th32ProcessID == desktop) continue;
        UniqueHandle child(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                       entry.th32ProcessID));
        FILETIME childStarted{};
        if (!child || !GetProcessTimes(child.get(), &childStarted, &unused, &unused, &unused) ||
            CompareFileTime(&childStarted, &started) < 0)
            continue;
        // A folder window ended by force stays in the shell's list of open
        // folders, and every later request to open that folder only brings the
        // dead window forward: close it as a user would, and force only what stays.
        bool asked = false;
        for (const Window& window : TopWindows(Find{.pid = entry.th32ProcessID}))
            asked = window.Post(WM_CLOSE) || asked;
        if (asked && WaitForSingleObject(child.get(), 10000) == WAIT_OBJECT_0) continue;
        if (TerminateProcess(child.get(), 0)) WaitForSingleObject(child.get(), 5000);
    }
}

}  // namespace e2e
