// Windows and controls of another process, found and read as a user sees them.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "Wait.h"

namespace e2e {

// Empty fields match anything. Text matches exactly, or with the access-key
// ampersands removed ("Yes" finds "&Yes").
struct Find {
    std::string text;
    std::string className;
    int id = -1;
    DWORD pid = 0;
    bool visibleOnly = true;
};

class Window {
public:
    Window() = default;
    explicit Window(HWND h) : h_(h) {}
    HWND handle() const { return h_; }
    bool Exists() const { return h_ && IsWindow(h_); }
    explicit operator bool() const { return Exists(); }

    // WM_GETTEXT through SendMessageTimeout: GetWindowText reads another
    // process's edit as empty, and a busy thread would block us forever.
    std::string Text(DWORD timeoutMs = 2000) const;
    std::string ClassName() const;
    int Id() const;
    DWORD ProcessId() const;
    bool Visible() const;
    bool Enabled() const;
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; -1 when it does not answer.
    int CheckState(DWORD timeoutMs = 2000) const;
    bool Checked() const { return CheckState() == BST_CHECKED; }
    LONG_PTR Style() const;
    LONG_PTR ExStyle() const;
    bool Topmost() const { return (ExStyle() & WS_EX_TOPMOST) != 0; }
    RECT Rect() const;        // screen coordinates
    RECT ClientRect() const;  // the client area, in screen coordinates
    Window Parent() const;
    Window Owner() const;

    // Searches all descendants, in creation order.
    std::vector<Window> Children(const Find& query = {}) const;
    Window Child(const Find& query) const;
    Window WaitChild(const Find& query, DWORD timeoutMs = kDefaultWaitMs) const;

    // Posted, so a click that opens a modal box does not block the driver.
    bool Click() const;
    bool SetText(const std::string& text, DWORD timeoutMs = 2000) const;
    // Types as from the keyboard: WM_CHAR per character at the caret.
    bool Type(const std::string& text) const;
    // Selects all of an edit's text and types over it.
    bool ReplaceText(const std::string& text) const;
    bool Post(UINT message, WPARAM w = 0, LPARAM l = 0) const;
    bool Send(UINT message, WPARAM w, LPARAM l, DWORD_PTR* result, DWORD timeoutMs = 2000) const;
    // What the system menu's Close sends.
    bool SystemClose() const { return Post(WM_SYSCOMMAND, SC_CLOSE, 0); }
    // Brings the window to the foreground; true once it is there.
    bool Activate(DWORD timeoutMs = 2000) const;
    // True when this window lies in front of the other in the z-order.
    bool InFrontOf(const Window& other) const;
    bool WaitGone(DWORD timeoutMs = kDefaultWaitMs) const;
    bool WaitVisible(DWORD timeoutMs = kDefaultWaitMs) const;

private:
    HWND h_ = nullptr;
};

bool Matches(const Window& w, const Find& query);
std::string WithoutAccessKeys(const std::string& text);
// Top-level windows in z-order, front first.
std::vector<Window> TopWindows(const Find& query = {});
Window FindTop(const Find& query);
Window WaitTop(const Find& query, DWORD timeoutMs = kDefaultWaitMs);
Window Foreground();
// The control with the keyboard focus in the thread that owns the window.
Window FocusOf(const Window& w);

}  // namespace e2e
