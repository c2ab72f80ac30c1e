// Polling waits: the program under test answers on its own time.
#pragma once
#include <windows.h>

namespace e2e {

constexpr DWORD kDefaultWaitMs = 5000;

template <class Predicate>
bool WaitUntil(Predicate ready, DWORD timeoutMs = kDefaultWaitMs, DWORD pollMs = 20) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (ready()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(pollMs);
    }
}

}  // namespace e2e
