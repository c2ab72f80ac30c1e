// Times process start to a visible top-level window with a given title, for
// two programs taken in turns, and prints each run and the medians.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Measure.h"

namespace {

struct Query {
    DWORD pid;
    const char* title;
    bool found;
};

BOOL CALLBACK Look(HWND h, LPARAM l) {
    auto* q = reinterpret_cast<Query*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char text[256];
    if (pid == q->pid && IsWindowVisible(h) && GetWindowTextA(h, text, sizeof text) > 0 &&
        std::string(text) == q->title) {
        q->found = true;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds until the window shows, or a negative number when it never does.
double TimeOne(const std::string& exe, const char* title) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + exe + "\"";
    const double start = 1000 * bench::Seconds();
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    const vk::UniqueHandle process(pi.hProcess), thread(pi.hThread);
    Query q{pi.dwProcessId, title, false};
    double elapsed = -1;
    while (1000 * bench::Seconds() - start < 20000) {
        EnumWindows(Look, reinterpret_cast<LPARAM>(&q));
        if (q.found) {
            elapsed = 1000 * bench::Seconds() - start;
            break;
        }
        if (WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0) break;
    }
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: %s BARE.exe BARE-TITLE SETUP.exe SETUP-TITLE [RUNS [REFERENCE.exe REFERENCE-TITLE]]\n",
                     argv[0]);
        return 2;
    }
    const int runs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 7;
    const bool withReference = argc > 7;
    // One untimed start of each, so that all meet the same warm caches.
    TimeOne(argv[1], argv[2]);
    TimeOne(argv[3], argv[4]);
    if (withReference) TimeOne(argv[6], argv[7]);
    std::vector<double> bare, setup, reference, ratios, againstReference;
    for (int i = 0; i < runs; ++i) {
        const double b = TimeOne(argv[1], argv[2]);
        const double r = withReference ? TimeOne(argv[6], argv[7]) : 1;
        const double s = TimeOne(argv[3], argv[4]);
        if (b <= 0 || s <= 0 || r <= 0) {
            std::fprintf(stderr, "run %d: a window never showed (bare %.1f, setup %.1f, reference %.1f)\n", i + 1, b, s,
                         r);
            return 1;
        }
        bare.push_back(b);
        setup.push_back(s);
        ratios.push_back(s / b);
        std::printf("run %d: bare %7.1f ms  setup %7.1f ms  ratio %.2f", i + 1, b, s, s / b);
        if (withReference) {
            reference.push_back(r);
            againstReference.push_back(s / r);
            std::printf("  reference %7.1f ms  setup/reference %.2f", r, s / r);
        }
        std::printf("\n");
    }
    std::printf("median bare  %7.1f ms\n", bench::Median(bare));
    std::printf("median setup %7.1f ms\n", bench::Median(setup));
    if (withReference) {
        std::vector<double> referenceAgainstBare;
        for (int i = 0; i < runs; ++i) referenceAgainstBare.push_back(reference[i] / bare[i]);
        std::printf("median reference %7.1f ms: %.2f of the bare window\n", bench::Median(reference),
                    bench::Median(referenceAgainstBare));
        std::printf("Start-up against the same first screen made directly on Win32: ratio %.2f\n",
                    bench::Median(againstReference));
    }
    std::printf("Start-up to the visible wizard against a bare window program: ratio %.2f (target 1.3)\n",
                bench::Median(ratios));
    return 0;
}
