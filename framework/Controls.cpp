#include "Controls.h"

#include "Owner.h"

#include <commctrl.h>

#include "Form.h"

namespace vk {

void Control::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Control* Control::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    // Only windows of this process carry our pointer.
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId()) return nullptr;
    return reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

std::string Control::Text() const {
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd_, s.data(), n + 1);
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
}

void Control::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void Control::SetEnabled(bool enabled) {
    // A control disabled while it has the focus would leave the keyboard nowhere:
    // the focus moves on to the next control first, as Tab would move it.
    if (!enabled && GetFocus() == hwnd_) {
        HWND root = GetAncestor(hwnd_, GA_ROOT);
        HWND next = GetNextDlgTabItem(root, hwnd_, FALSE);
        if (next && next != hwnd_) ::SetFocus(next);
    }
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}
bool Control::Visible() const { return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void Control::SetFocus() { ::SetFocus(hwnd_); }

bool Control::Fire(const std::string& event) {
    auto it = events_.find(event);
    if (it == events_.end() || !it->second) return true;
    EventArgs args;
    args.Sender = this;
    it->second(args);
    return args.Allow;
}

HBRUSH Control::ColorBrush(HDC dc) {
    if (textColor_ != CLR_INVALID) SetTextColor(dc, textColor_);
    if (backColor_ == CLR_NONE) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    COLORREF back = backColor_ == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : backColor_;
    SetBkColor(dc, back);
    if (!backBrush_) backBrush_ = form_->Brush(back);
    return backBrush_;
}

void Button::OnCommand(int code) {
    if (code == BN_CLICKED) Fire("Click");
}

void Button::Click() { Fire("Click"); }

bool CheckBox::Checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    if (Checked() == checked) return;
    SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Fire("Click");
}

bool RadioButton::Checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioButton::SetChecked(bool checked) {
    if (!checked) {
        SendMessageA(hwnd_, BM_SETCHECK, BST_UNCHECKED, 0);
        return;
    }
    // The group: the radio buttons among this button's siblings, up to a WS_GROUP boundary.
    HWND parent = GetParent(hwnd_);
    HWND first = hwnd_;
    while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev) break;
        first = prev;
    }
    for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (GetWindowLongA(h, GWL_STYLE) & WS_GROUP)) break;
        if (h != hwnd_ && GetParent(h) == parent && dynamic_cast<RadioButton*>(FromHandle(h)))
            SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    bool was = Checked();
    SendMessageA(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
    if (!was) Fire("Click");
}

void RadioButton::OnCommand(int code) {
    // An auto radio button has checked itself by the time the click arrives.
    if (code == BN_CLICKED && Checked()) Fire("Click");
}

void Label::SetText(const std::string& text) {
    Control::SetText(text);
    if (!AutoSize) return;
    SIZE size{};
    {
        const WindowDc dc(hwnd_);
        const ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    }
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Bevel::OnDrawItem(const DRAWITEMSTRUCT& item) {
    RECT rc = item.rcItem;
    FillRect(item.hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &rc, EDGE_ETCHED, BF_TOP);
    return true;
}

void Image::SetPicture(HBITMAP bitmap) {
    // The control hands back what it showed, which may be a copy it made of ours.
    HBITMAP old = reinterpret_cast<HBITMAP>(
        SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old && old != bitmap && old != bitmap_.get()) DeleteObject(old);
    if (bitmap_.get() != bitmap) bitmap_.reset(bitmap);
}

int ProgressBar::Position() const { return static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0)); }

void ProgressBar::SetPosition(int position) {
    SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    // Themed bars animate towards a new position; paint it now so each one is seen.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void PageControl::AddPage(Page* page, const std::string& tabLabel) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tabLabel.c_str());
    SendMessageA(hwnd_, TCM_INSERTITEMA, pages_.size(), reinterpret_cast<LPARAM>(&item));
    pages_.push_back(page);
}

void PageControl::LayoutPages() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    for (Page* p : pages_)
        SetWindowPos(p->Handle(), nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void PageControl::SetActivePage(Page* page) {
    if (page == active_) return;
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i] != page) continue;
        SendMessageA(hwnd_, TCM_SETCURSEL, i, 0);
        // Show the new page before hiding the old one, so the focus has somewhere to stay.
        ShowWindow(page->Handle(), SW_SHOW);
        Page* old = active_;
        active_ = page;
        if (old) {
            HWND focus = GetFocus();
            if (focus && (focus == old->Handle() || IsChild(old->Handle(), focus)))
                ::SetFocus(GetParent(hwnd_));
            ShowWindow(old->Handle(), SW_HIDE);
        }
        return;
    }
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
            for (Page* q : pages_) ShowWindow(q->Handle(), q == p ? SW_SHOW : SW_HIDE);
            active_ = p;
        }
        result = 0;
        return true;
    }
    return false;
}

}  // namespace vk
