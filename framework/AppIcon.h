#pragma once
#include <windows.h>

namespace vk {

// Puts the application's icon (resource 1) on a window's title bar and taskbar button,
// drawn for the window's DPI. A dialog frame shows no class icon, so each form is given
// it; in a program without the resource nothing changes.
void ShowAppIcon(HWND hwnd, int dpi);

}  // namespace vk
