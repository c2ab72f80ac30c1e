// The windows the program shows first, made directly on Win32 with the program's
// manifest and icon and shown as the program shows them: the least any program
// pays on this platform for the same first screen.
#include <windows.h>

#include <commctrl.h>

#include "RawReference.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    rawref::Windows windows(SIZE{294, 224});  // the welcome picture's size
    ShowWindow(windows.Backdrop(), SW_SHOWNA);
    ShowWindow(windows.Wizard(), SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(windows.Wizard(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
