#include "Controls.h"

#include "Owner.h"

#include <commctrl.h>

#include "Exception.h"
#include "Form.h"
#include "JpegPicture.h"
#include "Resources.h"

namespace vk {

HWND Control::Window() const {
    if (!hwnd_ && form_) form_->MakeWindowsOf(*this);
    return hwnd_;
}

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
    int n = GetWindowTextLengthA(Handle());
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(Handle(), s.data(), n + 1);
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
}

void Control::SetText(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }
bool Control::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
void Control::SetEnabled(bool enabled) {
    // A control disabled while it has the focus would leave the keyboard nowhere:
    // the focus moves on to the next control first, as Tab would move it.
    if (!enabled && GetFocus() == Handle()) {
        HWND root = GetAncestor(Handle(), GA_ROOT);
        HWND next = GetNextDlgTabItem(root, Handle(), FALSE);
        if (next && next != Handle()) ::SetFocus(next);
    }
    EnableWindow(Handle(), enabled ? TRUE : FALSE);
}
bool Control::Visible() const { return (GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
void Control::SetFocus() { ::SetFocus(Handle()); }

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

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    if (Checked() == checked) return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Fire("Click");
}

bool RadioButton::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioButton::SetChecked(bool checked) {
    if (!checked) {
        SendMessageA(Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
        return;
    }
    // The group: the radio buttons among this button's siblings, up to a WS_GROUP boundary.
    HWND parent = GetParent(Handle());
    HWND first = Handle();
    while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev) break;
        first = prev;
    }
    for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (GetWindowLongA(h, GWL_STYLE) & WS_GROUP)) break;
        if (h != Handle() && GetParent(h) == parent && dynamic_cast<RadioButton*>(FromHandle(h)))
            SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    bool was = Checked();
    SendMessageA(Handle(), BM_SETCHECK, BST_CHECKED, 0);
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
        const WindowDc dc(Handle());
        const ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    }
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Bevel::OnDrawItem(const DRAWITEMSTRUCT& item) {
    RECT rc = item.rcItem;
    FillRect(item.hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &rc, EDGE_ETCHED, BF_TOP);
    return true;
}

void Image::SetPicture(HBITMAP bitmap) {
    // The control hands back what it showed, which may be a copy it made of ours.
    HBITMAP old =
        reinterpret_cast<HBITMAP>(SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old && old != bitmap && old != bitmap_.get()) DeleteObject(old);
    if (bitmap_.get() != bitmap) bitmap_.reset(bitmap);
}

int ProgressBar::Position() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)); }

void ProgressBar::SetPosition(int position) { SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0); }

// How each kind is made. Every child window is visible; WS_GROUP starts a run
// of radio buttons and ends the one before.

CreateArgs Control::Creating(PropReader&, bool) { return {}; }

CreateArgs Button::Creating(PropReader&, bool) { return {WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP}; }

CreateArgs CheckBox::Creating(PropReader& props, bool) {
    checked_ = props.Bool("checked").value_or(false);
    return {WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP};
}

void CheckBox::Created() {
    if (checked_) SendMessageA(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
}

// Only the first of a run takes the focus by Tab; the arrows move within it.
CreateArgs RadioButton::Creating(PropReader& props, bool groupStart) {
    checked_ = props.Bool("checked").value_or(false);
    return {WC_BUTTONA, static_cast<DWORD>(BS_AUTORADIOBUTTON | (groupStart ? WS_TABSTOP : 0))};
}

void RadioButton::Created() {
    if (checked_) SendMessageA(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
}

CreateArgs Label::Creating(PropReader& props, bool) {
    AutoSize = props.Bool("autosize").value_or(false);
    return {WC_STATICA, SS_LEFTNOWORDWRAP | SS_NOPREFIX};
}

void Label::Created() {
    if (AutoSize) SetText(caption_);
}

CreateArgs StaticText::Creating(PropReader&, bool) { return {WC_STATICA, SS_LEFT | SS_NOPREFIX}; }

CreateArgs GroupBox::Creating(PropReader&, bool) { return {WC_BUTTONA, BS_GROUPBOX, WS_EX_CONTROLPARENT, true}; }

// The etched-line style would shrink the box to the line: it is drawn here instead.
CreateArgs Bevel::Creating(PropReader& props, bool) {
    if (props.Text("shape").value_or("topline") != "topline") throw Exception("a bevel draws its top line only");
    return {WC_STATICA, SS_OWNERDRAW};
}

CreateArgs Edit::Creating(PropReader&, bool) { return {WC_EDITA, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE}; }

CreateArgs Memo::Creating(PropReader& props, bool) {
    DWORD style = ES_MULTILINE | WS_TABSTOP;
    if (props.Bool("readonly").value_or(false)) style |= ES_READONLY;
    const std::string bars = props.Text("scrollbars").value_or("none");
    if (bars == "vertical" || bars == "both") style |= WS_VSCROLL;
    if (bars == "both") style |= WS_HSCROLL | ES_AUTOHSCROLL;
    return {WC_EDITA, style, WS_EX_CLIENTEDGE};
}

CreateArgs ScrollBox::Creating(PropReader&, bool) {
    return {WC_STATICA, WS_CLIPCHILDREN, WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, true};
}

CreateArgs Image::Creating(PropReader& props, bool) {
    picture_ = props.Text("picture").value_or("");
    return {WC_STATICA, SS_BITMAP};
}

void Image::Created() {
    if (picture_.empty()) return;
    const std::vector<unsigned char> bytes = LoadResourceBytes(picture_);
    SetPicture(DecodeJpeg(bytes.data(), bytes.size()).release());
}

CreateArgs ProgressBar::Creating(PropReader& props, bool) {
    min_ = props.Int("min").value_or(0);
    max_ = props.Int("max").value_or(100);
    return {PROGRESS_CLASSA};
}

void ProgressBar::Created() {
    SendMessageA(hwnd_, PBM_SETRANGE32, min_, max_);
    SendMessageA(hwnd_, PBM_SETPOS, 0, 0);
}

}  // namespace vk
