#include "Controls.h"

#include <commctrl.h>

#include "Exception.h"
#include "Form.h"
#include "FormBuilder.h"

namespace vk {

namespace {
constexpr char kPageClass[] = "VaskelPage";
}  // namespace

// Hidden until its page control shows it.
CreateArgs Page::Creating(PropReader&, bool) {
    static const bool registered = [] {
        WNDCLASSEXA pc{};
        pc.cbSize = sizeof pc;
        pc.lpfnWndProc = DefWindowProcA;
        pc.hInstance = GetModuleHandleA(nullptr);
        pc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        pc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        pc.lpszClassName = kPageClass;
        return RegisterClassExA(&pc) != 0;
    }();
    (void)registered;
    return {kPageClass, 0, WS_EX_CONTROLPARENT, true};
}

CreateArgs PageControl::Creating(PropReader& props, bool) {
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (props.Text("style").value_or("") == "flatbuttons") style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (props.Bool("tabstop").value_or(true)) style |= WS_TABSTOP;
    first_ = props.Text("active");
    return {WC_TABCONTROLA, style, WS_EX_CONTROLPARENT, true};
}

void PageControl::Created() {
    for (size_t i = 0; i < pages_.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(pages_[i]->caption_.c_str());
        SendMessageA(hwnd_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

RECT PageControl::PageArea() const {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    return rc;
}

void PageControl::PlacePage(const Page& page) const {
    HWND after = HWND_TOP;
    for (const Page* p : pages_) {
        if (p == &page) break;
        if (p->hwnd_) after = p->hwnd_;
    }
    SetWindowPos(page.hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PageControl::LayoutPages() {
    const RECT rc = PageArea();
    for (Page* p : pages_)
        if (p->hwnd_)
            SetWindowPos(p->hwnd_, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
}

void PageControl::SetActivePage(Page* page) {
    if (page == active_) return;
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i] != page) continue;
        SendMessageA(Handle(), TCM_SETCURSEL, i, 0);
        // Show the new page before hiding the old one, so the focus has somewhere to stay.
        ShowPage(page);
        Page* old = active_;
        active_ = page;
        if (old) {
            HWND focus = GetFocus();
            if (focus && (focus == old->Handle() || IsChild(old->Handle(), focus))) ::SetFocus(GetParent(hwnd_));
            ShowWindow(old->Handle(), SW_HIDE);
        }
        return;
    }
}

void PageControl::ShowPage(Page* page) {
    if (!page->made_) FormBuilder(*form_).MakePage(*page);
    ShowWindow(page->Handle(), SW_SHOW);
}

bool PageControl::SelectNextPage(bool forward) {
    if (pages_.empty()) return false;
    if (!Fire("Changing")) return false;
    int n = static_cast<int>(pages_.size());
    int cur = 0;
    for (int i = 0; i < n; ++i)
        if (pages_[i] == active_) cur = i;
    SetActivePage(pages_[(cur + (forward ? 1 : n - 1)) % n]);
    return true;
}

bool PageControl::OnNotify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code == TCN_SELCHANGING) {
        result = Fire("Changing") ? FALSE : TRUE;  // TRUE refuses the change
        return true;
    }
    if (hdr->code == TCN_SELCHANGE) {
        int i = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
        if (i >= 0 && i < static_cast<int>(pages_.size())) {
            Page* p = pages_[i];
            active_ = nullptr;
            ShowPage(p);
            for (Page* q : pages_)
                if (q != p && q->hwnd_) ShowWindow(q->hwnd_, SW_HIDE);
            active_ = p;
        }
        result = 0;
        return true;
    }
    return false;
}

}  // namespace vk
