#pragma once
#include <windows.h>

namespace vk {

// The application's icon (resource 1) drawn for a DPI, small and big; loaded once
// and kept while the program runs. Both are null in a program without the resource.
struct AppIconPair {
    HICON small, big;
};
AppIconPair AppIcons(int dpi);

// Puts the application's icon on a window's title bar and taskbar button, drawn
// for the window's DPI; in a program without the resource nothing changes.
void ShowAppIcon(HWND hwnd, int dpi);

}  // namespace vk
