#include "Input.h"
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

} // namespace

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
    if (!target.Activate()) return false;
    if (!PressKey(vk, modifiers)) return false;
    Settle(target);
    return true;
}

bool ClickAt(POINT p) {
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
    return SendInput(3, in, sizeof(INPUT)) == 3;
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

} // namespace e2e
