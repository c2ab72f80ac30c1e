#include "Input.h"
#include <cstdlib>
#include <vector>

namespace e2e {

namespace {

INPUT Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

}  // namespace

bool PressKey(WORD vk, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(Key(m, false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) inputs.push_back(Key(*m, true));
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

bool PressKey(const Window& target, WORD vk, std::initializer_list<WORD> modifiers) {
    // Keys reach the foreground window; one a modal box still disables takes none.
    if (!WaitUntil([&] { return target.Visible() && target.Enabled(); }) || !target.Activate()) return false;
    if (!PressKey(vk, modifiers)) return false;
    Settle(target);
    return true;
}

namespace {

// The last click this driver made, in screen pixels and tick time.
POINT lastClick{-1000, -1000};
ULONGLONG lastClickAt = 0;

// Sleeps out the double-click time when the point lies in the box around the
// last click. Two quick clicks on the close box are a double click, which the
// box ignores: the second Close would have brought no question.
void SeparateFromLastClick(POINT p) {
    if (std::abs(p.x - lastClick.x) > GetSystemMetrics(SM_CXDOUBLECLK) / 2 ||
        std::abs(p.y - lastClick.y) > GetSystemMetrics(SM_CYDOUBLECLK) / 2)
        return;
    // The message times come from the same clock; the margin covers their rounding.
    const ULONGLONG due = lastClickAt + GetDoubleClickTime() + 50;
    const ULONGLONG now = GetTickCount64();
    if (now < due) Sleep(static_cast<DWORD>(due - now));
}

}  // namespace

bool ClickAt(POINT p) {
    SeparateFromLastClick(p);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (auto& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = static_cast<LONG>((p.x * 65536LL + w / 2) / w);
        i.mi.dy = static_cast<LONG>((p.y * 65536LL + h / 2) / h);
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    const bool sent = SendInput(3, in, sizeof(INPUT)) == 3;
    lastClick = p;
    lastClickAt = GetTickCount64();
    return sent;
}

bool ClickOn(const Window& target, POINT p) {
    // Mouse input goes to whatever lies at the point when it arrives: no other
    // window may cover it there. Within its own window the target's thread
    // finds the control itself, past the group boxes drawn over it.
    const HWND root = GetAncestor(target.handle(), GA_ROOT);
    RECT before{};
    const bool ready = WaitUntil(
        [&] {
            if (!target.Visible() || !target.Enabled()) return false;
            const RECT now = target.Rect();
            const bool still = EqualRect(&now, &before);
            before = now;
            return still && PtInRect(&now, p) && GetAncestor(WindowFromPoint(p), GA_ROOT) == root;
        },
        kDefaultWaitMs, 50);
    if (!ready || !ClickAt(p)) return false;
    return Settle(target) || !target.Exists();
}

bool Settle(const Window& target, DWORD timeoutMs) {
    // A thread answers sent messages before it takes queued input, so one
    // round trip only proves the input has arrived; the second returns after
    // the thread went back to its queue, past the input.
    for (int round = 0; round < 2; ++round) {
        Sleep(30);
        if (!target.Send(WM_NULL, 0, 0, nullptr, timeoutMs)) return false;
    }
    return true;
}

}  // namespace e2e
