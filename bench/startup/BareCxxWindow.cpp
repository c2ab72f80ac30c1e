// The bare window again, using what every C++ program of ours pulls in (strings,
// containers, std::function, exceptions): the C++ runtime's share of the size.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::map<std::string, std::function<void()>> handlers;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command, int show) {
    try {
        std::string title = std::string("Bare C++ Window") + command;
        std::vector<std::unique_ptr<std::string>> names;
        names.push_back(std::make_unique<std::string>("BareCxxWindow"));
        handlers["fail"] = [] { throw std::runtime_error("no window " + std::to_string(GetLastError())); };
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = names[0]->c_str();
        RegisterClassA(&wc);
        HWND hwnd = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 544, 336, nullptr, nullptr, instance, nullptr);
        if (!hwnd) handlers["fail"]();
        ShowWindow(hwnd, show);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Bare C++ Window", MB_OK);
    }
    return 0;
}
