#include "AppIcon.h"

#include <map>

#include "Owner.h"

namespace vk {

namespace {

Icon LoadAppIcon(int metric, int dpi) {
    const int size = GetSystemMetricsForDpi(metric, dpi);
    return Icon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

void ShowAppIcon(HWND hwnd, int dpi) {
    // One pair per DPI, kept while the program runs: windows hold the handles, not copies.
    static std::map<int, std::pair<Icon, Icon>> loaded;
    auto [it, added] = loaded.try_emplace(dpi);
    if (added) it->second = {LoadAppIcon(SM_CXSMICON, dpi), LoadAppIcon(SM_CXICON, dpi)};
    if (!it->second.first) return;
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(it->second.first.get()));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(it->second.second.get()));
}

}  // namespace vk
