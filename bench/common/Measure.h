// What every bench measures with: the clock, the median, and a clean slate.
#pragma once
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Owner.h"

namespace bench {

// Seconds on the performance counter.
inline double Seconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Every file by its full path, then the folders bottom-up: no current directory involved.
inline void DeleteTree(const std::string& path) {
    {
        WIN32_FIND_DATAA found;
        const vk::FindHandle find(FindFirstFileA((path + "\\*").c_str(), &found));
        if (find) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string child = path + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    DeleteTree(child);
                else
                    DeleteFileA(child.c_str());
            } while (FindNextFileA(find.get(), &found));
        }
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace bench
