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

AppIconPair AppIcons(int dpi) {
    // Window classes and windows hold the handles, not copies.
    static std::map<int, std::pair<Icon, Icon>> loaded;
    auto [it, added] = loaded.try_emplace(dpi);
    if (added) it->second = {LoadAppIcon(SM_CXSMICON, dpi), LoadAppIcon(SM_CXICON, dpi)};
    return {it->second.first.get(), it->second.second.get()};
}

void ShowAppIcon(HWND hwnd, int dpi) {
    const AppIconPair icons = AppIcons(dpi);
    if (!icons.small) return;
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.big));
}

}  // namespace vk
