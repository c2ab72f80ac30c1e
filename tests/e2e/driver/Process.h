// The program under test, started as a user starts it: no arguments, its
// folder as the current directory.
#pragma once
#include "Handle.h"
#include <string>

namespace e2e {

class AppProcess {
public:
    // False when CreateProcess refuses; Error() then holds GetLastError().
    bool Start(const std::string& exe, const std::string& arguments = {});
    DWORD Id() const { return id_; }
    DWORD Error() const { return error_; }
    bool Running() const;
    // True when the process ended within the time; its exit code is stored.
    bool WaitExit(DWORD timeoutMs);
    DWORD ExitCode() const { return exitCode_; }
    // Ends a process a failed test left behind, and closes whatever it started
    // that still runs (the group's folder window Finish opens), forcing only
    // what stays, so the next test starts clean.
    void Kill();
    // Lets what the program started outlive this object, for a test that goes on with it.
    void KeepStarted() { keepStarted_ = true; }
    ~AppProcess() { Kill(); }

private:
    void EndStarted() const;
    UniqueHandle process_;
    DWORD id_ = 0;
    DWORD error_ = 0;
    DWORD exitCode_ = 0xDEADBEEF;
    bool keepStarted_ = false;
};

}  // namespace e2e
