#include "BoxWatcher.h"

namespace {

struct Found {
    HWND box = nullptr;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd)) {
        reinterpret_cast<Found*>(lp)->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::string TextOf(HWND h) {
    char buf[1024] = "";
    SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, nullptr);
    return buf;
}

}  // namespace

BoxWatcher::BoxWatcher(std::vector<int> answers) : answers_(answers.begin(), answers.end()) {
    thread_ = std::thread([this] { Run(); });
}

BoxWatcher::~BoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<BoxWatcher::Seen> BoxWatcher::Boxes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void BoxWatcher::Run() {
    HWND last = nullptr;
    while (!stop_) {
        if (last && !IsWindow(last)) last = nullptr;
        Found f;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&f));
        if (!f.box || f.box == last) {
            Sleep(20);
            continue;
        }
        Sleep(50);  // let it finish initialising
        Seen s;
        s.Caption = TextOf(f.box);
        for (HWND c = GetWindow(f.box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char cls[16] = "";
            GetClassNameA(c, cls, sizeof cls);
            LONG style = GetWindowLongA(c, GWL_STYLE);
            if (lstrcmpiA(cls, "Button") == 0)
                s.Buttons.push_back(TextOf(c));
            else if (lstrcmpiA(cls, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
                s.HasIcon = s.HasIcon || SendMessageA(c, STM_GETICON, 0, 0) != 0;
            else if (lstrcmpiA(cls, "Static") == 0 && GetDlgCtrlID(c) == 0xFFFF)
                s.Text = TextOf(c);
        }
        int answer = IDOK;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(s);
            if (!answers_.empty()) {
                answer = answers_.front();
                answers_.pop_front();
            }
        }
        last = f.box;
        PostMessageA(f.box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(f.box, answer)));
    }
}
