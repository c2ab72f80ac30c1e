#include "Form.h"

#include <commctrl.h>

#include "AppIcon.h"
#include "Application.h"
#include "Exception.h"
#include "Fonts.h"
#include "FormBuilder.h"

namespace vk {

class TForm::PaintCanvas : public Canvas {
public:
    explicit PaintCanvas(TForm& form) : form_(form) {}
    void FillRect(const RECT& rect, COLORREF color) override {
        const vk::Brush brush(CreateSolidBrush(color));
        if (form_.paintDc_) {
            ::FillRect(form_.paintDc_, &rect, brush.get());
            return;
        }
        const WindowDc dc(form_.hwnd_);
        ::FillRect(dc.get(), &rect, brush.get());
    }

private:
    TForm& form_;
};

TForm::TForm() : canvas_(std::make_unique<PaintCanvas>(*this)) { form_ = this; }

TForm::~TForm() { Destroy(); }

HBRUSH TForm::Brush(COLORREF color) {
    auto [it, made] = brushes_.try_emplace(color);
    if (made) it->second.reset(CreateSolidBrush(color));
    return it->second.get();
}

bool TForm::HasEvent(const std::string& e) const {
    return e == "Create" || e == "Show" || e == "Paint" || e == "Resize" || e == "CloseQuery" || e == "Close" ||
           e == "CanResize";
}

void TForm::Load(const std::string& layoutText) { FormBuilder(*this).Build(layoutText); }

Control* TForm::FindControl(const std::string& name) const {
    for (const auto& c : controls_)
        if (c->Name() == name) return c.get();
    return nullptr;
}

void TForm::MakeWindowsOf(const Control& control) {
    if (!hwnd_) FormBuilder(*this).MakeForm();
    if (control.hwnd_) return;
    for (const Control* c = &control; c; c = c->parent_)
        if (auto* page = dynamic_cast<const Page*>(c); page && !page->made_) {
            FormBuilder(*this).MakePage(const_cast<Page&>(*page));
            return;
        }
}

void TForm::Destroy() {
    if (!hwnd_) return;
    HWND h = hwnd_;
    hwnd_ = nullptr;
    SetWindowLongPtrA(h, GWLP_USERDATA, 0);
    DestroyWindow(h);
}

void TForm::Show() {
    if (IsWindowVisible(Handle())) {
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    if (state_ == WindowState::Maximized && IsZoomed(hwnd_)) {
        // Made maximized, it is shown without activation: a window its Show handler
        // brings up then takes the activation once, not from this form.
        ShowWindow(hwnd_, SW_SHOWNA);
        Fire("Show");
        if (!GetActiveWindow()) Activate();
        return;
    }
    ShowWindow(hwnd_, state_ == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    Fire("Show");
}

void TForm::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void TForm::Close() {
    if (!Fire("CloseQuery")) return;
    Fire("Close");
    if (hwnd_) Hide();
}

int TForm::ClientWidth() const {
    RECT rc{};
    GetClientRect(Handle(), &rc);
    return rc.right;
}

int TForm::ClientHeight() const {
    RECT rc{};
    GetClientRect(Handle(), &rc);
    return rc.bottom;
}

void TForm::Repaint() {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TForm::Active() const { return GetActiveWindow() == hwnd_; }

void TForm::Activate() {
    SetActiveWindow(Handle());
    SetForegroundWindow(hwnd_);
}

void TForm::SetBorderStyle(BorderStyle style) {
    DWORD s = hwnd_ ? GetWindowLongA(hwnd_, GWL_STYLE) : create_.style;
    DWORD ex = hwnd_ ? GetWindowLongA(hwnd_, GWL_EXSTYLE) : create_.exStyle;
    s &= ~(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_BORDER | WS_DLGFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    ex &= ~(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
    s |= WS_POPUP;
    switch (style) {
        case BorderStyle::None:
            break;
        case BorderStyle::Dialog:
            s |= WS_CAPTION | WS_SYSMENU;
            ex |= WS_EX_DLGMODALFRAME;
            break;
        case BorderStyle::ToolWindow:
            s |= WS_CAPTION | WS_SYSMENU;
            ex |= WS_EX_TOOLWINDOW;
            break;
        case BorderStyle::Single:
            s |= WS_CAPTION | WS_SYSMENU;
            break;
    }
    if (!hwnd_) {  // the window is made with them, at its maximized size if it has one
        create_.style = s;
        create_.exStyle = ex;
        return;
    }
    SetWindowLongA(hwnd_, GWL_STYLE, s);
    SetWindowLongA(hwnd_, GWL_EXSTYLE, ex);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetWindowState(WindowState state) {
    state_ = state;
    if (IsWindowVisible(hwnd_)) ShowWindow(hwnd_, state == WindowState::Maximized ? SW_MAXIMIZE : SW_RESTORE);
}

Canvas& TForm::Surface() { return *canvas_; }

void TForm::TrackFocus() {
    HWND focus = GetFocus();
    if (focus == lastFocus_ || !hwnd_) return;
    HWND old = lastFocus_;
    lastFocus_ = focus;
    if (!focus || GetAncestor(focus, GA_ROOT) != hwnd_) return;
    // Containers holding the new focus but not the old one have been entered.
    for (HWND h = focus; h && h != hwnd_; h = GetParent(h)) {
        if (old && (old == h || IsChild(h, old))) break;
        if (Control* c = FromHandle(h); c && c->Form() == this) c->Fire("Enter");
    }
}

void TForm::KeepAnchors() {
    for (const auto& c : controls_) {
        if (!c->hwnd_ || (!c->anchorRight_ && !c->anchorBottom_)) continue;
        HWND parent = GetParent(c->hwnd_);
        RECT pc, rc;
        GetClientRect(parent, &pc);
        GetWindowRect(c->hwnd_, &rc);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
        int w = rc.right - rc.left, h = rc.bottom - rc.top;
        int x = c->anchorRight_ ? pc.right - c->marginRight_ - w : rc.left;
        int y = c->anchorBottom_ ? pc.bottom - c->marginBottom_ - h : rc.top;
        SetWindowPos(c->hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TForm::Rescale(int dpi, const RECT& suggested) {
    const int old = dpi_;
    dpi_ = dpi;
    // New fonts first; the old ones go once no control holds them.
    std::vector<GdiObject> retired = std::move(gdi_);
    gdi_.clear();
    HFONT formFont = font_ = CreateUiFont(fontFace_, Scale(fontSize_));
    gdi_.emplace_back(formFont);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont), FALSE);
    for (const auto& c : controls_) {
        if (!c->hwnd_) continue;  // made later, at the new DPI
        HFONT font = formFont;
        if (!c->fontFace_.empty()) gdi_.emplace_back(font = CreateUiFont(c->fontFace_, Scale(c->fontSize_)));
        SendMessageA(c->hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    retired.clear();
    ShowAppIcon(hwnd_, dpi_);

    rescaling_ = true;
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    rescaling_ = false;
    // Parents come before their children, so each fits the size just given to its parent.
    for (const auto& c : controls_) {
        // Pages are placed by their page control; a picture is drawn unscaled and keeps its size.
        if (!c->hwnd_ || dynamic_cast<Page*>(c.get()) || dynamic_cast<Image*>(c.get())) continue;
        RECT b = c->design_;
        if (c->fillsParent_)
            GetClientRect(GetParent(c->hwnd_), &b);
        else
            b = RECT{Scale(b.left), Scale(b.top), Scale(b.right), Scale(b.bottom)};
        SetWindowPos(c->hwnd_, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (auto* pages = dynamic_cast<PageControl*>(c.get())) pages->LayoutPages();
        if (auto* label = dynamic_cast<Label*>(c.get()); label && label->AutoSize) label->SetText(label->Text());
        c->marginRight_ = MulDiv(c->marginRight_, dpi, old);
        c->marginBottom_ = MulDiv(c->marginBottom_, dpi, old);
    }
    KeepAnchors();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK TForm::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto* form = static_cast<TForm*>(cs->lpCreateParams);
        form->Attach(hwnd);
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form || form->hwnd_ != hwnd) return DefWindowProcA(hwnd, msg, wp, lp);
    // No exception may cross into the system: show it and carry on.
    try {
        return form->HandleMessage(msg, wp, lp);
    } catch (const std::exception& e) {
        Application.ShowException(e);
    } catch (...) {
        Application.ShowException(Exception("Unknown error"));
    }
    return 0;
}

void TForm::EraseBackground(HDC dc) {
    if (hasPaint_) return;  // the paint handler covers the whole area
    RECT rc;
    GetClientRect(hwnd_, &rc);
    ::FillRect(dc, &rc, Brush(color_ == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : color_));
}

void TForm::Paint() {
    PAINTSTRUCT ps;
    paintDc_ = BeginPaint(hwnd_, &ps);
    // The paint ends, and the DC is given back, however the handler ends.
    struct EndPaintOnExit {
        TForm& form;
        PAINTSTRUCT& ps;
        ~EndPaintOnExit() {
            EndPaint(form.hwnd_, &ps);
            form.paintDc_ = nullptr;
        }
    } end{*this, ps};
    Fire("Paint");
}

void TForm::AskCanResize(WINDOWPOS& pos) {
    if ((pos.flags & SWP_NOSIZE) || rescaling_ || !events_.count("CanResize") || !IsWindowVisible(hwnd_)) return;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    if ((pos.cx != rc.right - rc.left || pos.cy != rc.bottom - rc.top) && !Fire("CanResize")) pos.flags |= SWP_NOSIZE;
}

LRESULT TForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ERASEBKGND:
            EraseBackground(reinterpret_cast<HDC>(wp));
            return 1;
        case WM_PAINT:
            if (!hasPaint_) break;
            Paint();
            return 0;
        case WM_SIZE:
            KeepAnchors();
            Fire("Resize");
            break;
        case WM_WINDOWPOSCHANGING:
            AskCanResize(*reinterpret_cast<WINDOWPOS*>(lp));
            break;
        case WM_COMMAND:
            if (lp) {
                if (Control* c = FromHandle(reinterpret_cast<HWND>(lp)); c && c->Form() == this)
                    c->OnCommand(HIWORD(wp));
            }
            return 0;  // IDOK / IDCANCEL from the dialog manager press nothing
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lp);
            LRESULT result = 0;
            if (Control* c = FromHandle(hdr->hwndFrom); c && c->Form() == this && c->OnNotify(hdr, result))
                return result;
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (Control* c = FromHandle(reinterpret_cast<HWND>(lp)); c && c->Form() == this)
                if (HBRUSH b = c->OnCtlColor(reinterpret_cast<HDC>(wp))) return reinterpret_cast<LRESULT>(b);
            break;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            if (Control* c = FromHandle(item->hwndItem); c && c->Form() == this && c->OnDrawItem(*item)) return TRUE;
            break;
        }
        case WM_DPICHANGED:
            if (lp) Rescale(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case DM_GETDEFID:
            return 0;  // no default button: Enter presses nothing
        case WM_NEXTDLGCTL: {
            HWND next =
                LOWORD(lp) ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(hwnd_, GetFocus(), wp != 0 ? TRUE : FALSE);
            if (next) ::SetFocus(next);
            return 0;
        }
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

}  // namespace vk
