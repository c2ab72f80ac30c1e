#include "MessageBoxes.h"

#include <windows.h>
#include <commctrl.h>

#include "Application.h"

namespace vk {

namespace {

thread_local HHOOK g_hook = nullptr;

// Esc and the close box answer No, as the question's cancel button would.
LRESULT CALLBACK CancelMeansNo(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) wp = MAKEWPARAM(IDNO, HIWORD(wp));
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
        PostMessageA(hwnd, WM_COMMAND, IDNO, 0);
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

struct BoxPlacement {
    bool yesNo = false;
};
thread_local BoxPlacement g_place;

// Centres the box on the screen as it appears.
LRESULT CALLBACK CbtHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wp);
        char cls[16] = "";
        GetClassNameA(box, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) {
            RECT rc;
            GetWindowRect(box, &rc);
            int w = rc.right - rc.left, h = rc.bottom - rc.top;
            SetWindowPos(box, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2,
                         0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (g_place.yesNo) {
                SetWindowSubclass(box, CancelMeansNo, 1, 0);
                EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
            }
            UnhookWindowsHookEx(g_hook);
            g_hook = nullptr;
            return 0;
        }
    }
    return CallNextHookEx(g_hook, code, wp, lp);
}

int Box(const std::string& text, const char* caption, UINT flags, bool yesNo) {
    // Owned by our active window so that it is modal to it and stands in front of it.
    HWND owner = GetActiveWindow();
    if (!owner) flags |= MB_TASKMODAL;
    g_place.yesNo = yesNo;
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    int r = MessageBoxA(owner, text.c_str(), caption, flags | MB_TOPMOST | MB_SETFOREGROUND);
    if (g_hook) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
    return r;
}

}  // namespace

bool ConfirmBox(const std::string& text) {
    return Box(text, "Confirm", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1, true) == IDYES;
}

void PlainBox(const std::string& text) { Box(text, Application.Title().c_str(), MB_OK, false); }

void StopBox(const std::string& text) { Box(text, Application.Title().c_str(), MB_OK | MB_ICONSTOP, false); }

}  // namespace vk
