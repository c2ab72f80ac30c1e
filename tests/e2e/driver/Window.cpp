#include "Window.h"

namespace e2e {

namespace {
// Rectangles and pixels in physical pixels, as the screen shows them, at any DPI.
const bool dpiAware = SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) != FALSE;
}  // namespace

std::string Window::Text(DWORD timeoutMs) const {
    DWORD_PTR length = 0;
    if (!Send(WM_GETTEXTLENGTH, 0, 0, &length, timeoutMs)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied, timeoutMs)) return {};
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

std::string Window::ClassName() const {
    char name[256] = {};
    int n = GetClassNameA(h_, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

int Window::Id() const { return GetDlgCtrlID(h_); }

DWORD Window::ProcessId() const {
    DWORD pid = 0;
    GetWindowThreadProcessId(h_, &pid);
    return pid;
}

bool Window::Visible() const { return IsWindowVisible(h_) != FALSE; }
bool Window::Enabled() const { return IsWindowEnabled(h_) != FALSE; }

int Window::CheckState(DWORD timeoutMs) const {
    DWORD_PTR state = 0;
    if (!Send(BM_GETCHECK, 0, 0, &state, timeoutMs)) return -1;
    return static_cast<int>(state);
}

LONG_PTR Window::Style() const { return GetWindowLongPtrA(h_, GWL_STYLE); }
LONG_PTR Window::ExStyle() const { return GetWindowLongPtrA(h_, GWL_EXSTYLE); }

RECT Window::Rect() const {
    RECT r{};
    GetWindowRect(h_, &r);
    return r;
}

RECT Window::ClientRect() const {
    RECT r{};
    GetClientRect(h_, &r);
    MapWindowPoints(h_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

Window Window::Parent() const { return Window(GetAncestor(h_, GA_PARENT)); }
Window Window::Owner() const { return Window(GetWindow(h_, GW_OWNER)); }

namespace {

struct Collect {
    const Find* query;
    std::vector<Window>* found;
};

BOOL CALLBACK CollectMatching(HWND h, LPARAM l) {
    auto* c = reinterpret_cast<Collect*>(l);
    Window w(h);
    if (Matches(w, *c->query)) c->found->push_back(w);
    return TRUE;
}

}  // namespace

std::vector<Window> Window::Children(const Find& query) const {
    std::vector<Window> found;
    Collect c{&query, &found};
    EnumChildWindows(h_, CollectMatching, reinterpret_cast<LPARAM>(&c));
    return found;
}

Window Window::Child(const Find& query) const {
    auto found = Children(query);
    return found.empty() ? Window() : found.front();
}

Window Window::WaitChild(const Find& query, DWORD timeoutMs) const {
    Window w;
    WaitUntil([&] { return static_cast<bool>(w = Child(query)); }, timeoutMs);
    return w;
}

bool Window::Click() const { return Post(BM_CLICK); }

bool Window::SetText(const std::string& text, DWORD timeoutMs) const {
    DWORD_PTR ok = 0;
    return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &ok, timeoutMs) && ok;
}

bool Window::Type(const std::string& text) const {
    for (unsigned char c : text)
        if (!Post(WM_CHAR, c, 1)) return false;
    return true;
}

bool Window::ReplaceText(const std::string& text) const { return Post(EM_SETSEL, 0, -1) && Type(text); }

bool Window::Post(UINT message, WPARAM w, LPARAM l) const { return PostMessageA(h_, message, w, l) != FALSE; }

bool Window::Send(UINT message, WPARAM w, LPARAM l, DWORD_PTR* result, DWORD timeoutMs) const {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(h_, message, w, l, SMTO_ABORTIFHUNG, timeoutMs, result ? result : &ignored) != 0;
}

bool Window::Activate(DWORD timeoutMs) const {
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == h_) return true;
            SetForegroundWindow(h_);
            return GetForegroundWindow() == h_;
        },
        timeoutMs, 50);
}

bool Window::InFrontOf(const Window& other) const {
    for (HWND h = GetWindow(h_, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
        if (h == other.h_) return true;
    return false;
}

bool Window::WaitGone(DWORD timeoutMs) const {
    return WaitUntil([&] { return !Exists() || !Visible(); }, timeoutMs);
}

bool Window::WaitVisible(DWORD timeoutMs) const {
    return WaitUntil([&] { return Exists() && Visible(); }, timeoutMs);
}

std::string WithoutAccessKeys(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

bool Matches(const Window& w, const Find& q) {
    if (q.visibleOnly && !w.Visible()) return false;
    if (q.pid && w.ProcessId() != q.pid) return false;
    if (q.id != -1 && w.Id() != q.id) return false;
    if (!q.className.empty() && lstrcmpiA(w.ClassName().c_str(), q.className.c_str()) != 0) return false;
    if (!q.text.empty()) {
        std::string text = w.Text();
        if (text != q.text && WithoutAccessKeys(text) != q.text) return false;
    }
    return true;
}

std::vector<Window> TopWindows(const Find& query) {
    std::vector<Window> found;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        Window w(h);
        if (Matches(w, query)) found.push_back(w);
    }
    return found;
}

Window FindTop(const Find& query) {
    auto found = TopWindows(query);
    return found.empty() ? Window() : found.front();
}

Window WaitTop(const Find& query, DWORD timeoutMs) {
    Window w;
    WaitUntil([&] { return static_cast<bool>(w = FindTop(query)); }, timeoutMs);
    return w;
}

Window Foreground() { return Window(GetForegroundWindow()); }

Window FocusOf(const Window& w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(w.handle(), nullptr), &info)) return Window();
    return Window(info.hwndFocus);
}

}  // namespace e2e
