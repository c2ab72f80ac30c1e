#include "MessageBox.h"
#include "Handle.h"
#include "Screen.h"
#include <cstdlib>

namespace e2e {

std::ostream& operator<<(std::ostream& out, BoxIcon icon) {
    static const char* const names[] = {"None", "Stop", "Question", "Warning", "Information", "Unknown"};
    return out << names[static_cast<int>(icon)];
}

namespace {

bool IsStatic(const Window& w) { return lstrcmpiA(w.ClassName().c_str(), "Static") == 0; }
bool IsIconStatic(const Window& w) { return IsStatic(w) && (w.Style() & SS_TYPEMASK) == SS_ICON; }

// Draws a system icon as the box would, over the colour behind it.
bool Render(LPCSTR which, const Capture& onScreen, Capture& drawn) {
    HICON icon = LoadIconA(nullptr, which);
    if (!icon) return false;
    const int w = onScreen.Width(), h = onScreen.Height();
    WindowDc screen(nullptr);
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    GdiObject dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib) return false;
    const Rgb back = onScreen.At(0, 0);
    {
        Selection select(memory.get(), dib.get());
        GdiObject brush(CreateSolidBrush(RGB(back.r, back.g, back.b)));
        RECT all{0, 0, w, h};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(brush.get()));
        DrawIconEx(memory.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        GdiFlush();
    }
    drawn.Resize(w, h);
    auto* p = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < drawn.Pixels().size(); ++i) drawn.Pixels()[i] = p[i] & 0xFFFFFF;
    return true;
}

BoxIcon Identify(const Capture& onScreen) {
    struct Candidate {
        LPCSTR id;
        BoxIcon icon;
    };
    static const Candidate candidates[] = {{IDI_HAND, BoxIcon::Stop},
                                           {IDI_QUESTION, BoxIcon::Question},
                                           {IDI_EXCLAMATION, BoxIcon::Warning},
                                           {IDI_ASTERISK, BoxIcon::Information}};
    Capture seen = onScreen;
    for (auto& p : seen.Pixels()) p &= 0xFFFFFF;
    for (const auto& c : candidates) {
        Capture drawn;
        if (Render(c.id, seen, drawn) && seen.CountDifferent(drawn, 8) * 50 < int(seen.Pixels().size())) return c.icon;
    }
    return BoxIcon::Unknown;
}

}  // namespace

std::string MessageBoxWindow::Message() const {
    for (const auto& c : Children())
        if (IsStatic(c) && !IsIconStatic(c)) {
            std::string text = c.Text();
            if (!text.empty()) return text;
        }
    return {};
}

BoxIcon MessageBoxWindow::Icon(DWORD timeoutMs) const {
    Window iconStatic;
    for (const auto& c : Children())
        if (IsIconStatic(c)) iconStatic = c;
    if (!iconStatic) return BoxIcon::None;
    BoxIcon found = BoxIcon::Unknown;
    // The box may not have painted yet when it is first found.
    WaitUntil(
        [&] {
            Capture c;
            if (c.Grab(iconStatic.ClientRect())) found = Identify(c);
            return found != BoxIcon::Unknown;
        },
        timeoutMs, 50);
    return found;
}

std::vector<std::string> MessageBoxWindow::Buttons() const {
    std::vector<std::string> captions;
    for (const auto& b : Children(Find{.className = "Button"})) captions.push_back(b.Text());
    return captions;
}

std::string MessageBoxWindow::DefaultButton() const {
    for (const auto& b : Children(Find{.className = "Button"}))
        if ((b.Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return b.Text();
    return {};
}

bool MessageBoxWindow::Press(const std::string& caption) const {
    Window b = Child(Find{.text = caption, .className = "Button"});
    return b && b.Click();
}

bool MessageBoxWindow::Centred() const {
    const RECT r = Rect();
    const SIZE screen = ScreenSize();
    return std::abs(r.left - (screen.cx - r.right)) <= 1 && std::abs(r.top - (screen.cy - r.bottom)) <= 1;
}

bool MessageBoxWindow::PressId(int id) const {
    Window b = Child(Find{.className = "Button", .id = id});
    return b && b.Click();
}

std::vector<MessageBoxWindow> MessageBoxes(DWORD pid) {
    std::vector<MessageBoxWindow> boxes;
    for (const auto& w : TopWindows(Find{.className = "#32770", .pid = pid})) boxes.emplace_back(w);
    return boxes;
}

MessageBoxWindow WaitMessageBox(DWORD pid, DWORD timeoutMs) {
    MessageBoxWindow box;
    WaitUntil(
        [&] {
            auto boxes = MessageBoxes(pid);
            if (!boxes.empty()) box = boxes.front();
            return !boxes.empty();
        },
        timeoutMs);
    return box;
}

}  // namespace e2e
