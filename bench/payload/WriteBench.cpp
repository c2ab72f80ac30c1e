// Writes all records through WriteToFile and, in the same run, the same bytes with one
// bulk write per file; prints the median time ratio and the growth of private bytes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Measure.h"
#include "Payload.h"

namespace {

// Committed private memory, summed over the address space: the process counters read
// 0 under Wine, and this is what they would count.
SIZE_T PrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION m;
    for (const char* p = nullptr; VirtualQuery(p, &m, sizeof m) == sizeof m;
         p = (const char*)m.BaseAddress + m.RegionSize)
        if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
    return total;
}

bool BulkWrite(const DSetupFile& f, const char* name) {
    FILE* out = std::fopen(name, "wb");
    if (!out) return false;
    bool ok = std::fwrite(f.Words, 4, f.WordCount, out) == f.WordCount;
    if (f.TailLength) ok = std::fwrite(f.TailBytes, 1, f.TailLength, out) == f.TailLength && ok;
    return std::fclose(out) == 0 && ok;
}

std::string Name(int i) { return "bench" + std::to_string(i) + ".bin"; }

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "vaskel-payload-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());

    // One warm-up pass of each, so the first timed pass does not pay for page faults alone.
    for (int i = 0; i < PayloadFileCount; ++i) {
        (*PayloadFiles[i].File)->WriteToFile(Name(i).c_str());
        BulkWrite(**PayloadFiles[i].File, Name(i).c_str());
    }
    const SIZE_T before = PrivateBytes();
    SIZE_T peak = before;
    std::vector<double> ratios, writer, bulk;
    bool ok = true;
    for (int r = 0; r < runs; ++r) {
        double t0 = bench::Seconds();
        for (int i = 0; i < PayloadFileCount; ++i) ok = (*PayloadFiles[i].File)->WriteToFile(Name(i).c_str()) && ok;
        double t1 = bench::Seconds();
        peak = std::max(peak, PrivateBytes());
        for (int i = 0; i < PayloadFileCount; ++i) ok = BulkWrite(**PayloadFiles[i].File, Name(i).c_str()) && ok;
        double t2 = bench::Seconds();
        writer.push_back(t1 - t0);
        bulk.push_back(t2 - t1);
        ratios.push_back((t1 - t0) / (t2 - t1));
    }
    for (int i = 0; i < PayloadFileCount; ++i) DeleteFileA(Name(i).c_str());
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(folder.c_str());

    std::printf("runs                          %d\n", runs);
    std::printf("WriteToFile, all 22 (median)  %.1f ms\n", bench::Median(writer) * 1000);
    std::printf("bulk write, all 22 (median)   %.1f ms\n", bench::Median(bulk) * 1000);
    std::printf("ratio (median of runs)        %.2f\n", bench::Median(ratios));
    std::printf("private bytes growth          %.1f KiB (of %.1f MiB)\n", double(peak - before) / 1024,
                double(before) / (1024 * 1024));
    if (!ok) std::printf("some writes failed\n");
    return ok ? 0 : 1;
}
