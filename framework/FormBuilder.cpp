#include "FormBuilder.h"

#include <commctrl.h>

#include <set>

#include "AppIcon.h"
#include "Application.h"
#include "Exception.h"
#include "Fonts.h"
#include "JpegPicture.h"
#include "Resources.h"

namespace vk {

namespace {

constexpr char kFormClass[] = "VaskelForm";
constexpr char kPageClass[] = "VaskelPage";

// Containers pass their children's notifications on to the form that handles them.
LRESULT CALLBACK ForwardToForm(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR form) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_NEXTDLGCTL:  // Tab in a multi-line edit asks its parent to move on
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return SendMessageA(reinterpret_cast<HWND>(form), msg, wp, lp);
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void RegisterClasses(WNDPROC formProc) {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = formProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    wc.lpszClassName = kFormClass;
    RegisterClassExA(&wc);
    WNDCLASSEXA pc{};
    pc.cbSize = sizeof pc;
    pc.lpfnWndProc = DefWindowProcA;
    pc.hInstance = GetModuleHandleA(nullptr);
    pc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    pc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    pc.lpszClassName = kPageClass;
    RegisterClassExA(&pc);
}

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

std::optional<COLORREF> ParseColor(const std::string& s) {
    if (s == "white") return RGB(255, 255, 255);
    if (s == "black") return RGB(0, 0, 0);
    if (s == "silver") return RGB(192, 192, 192);
    if (s == "btnface") return GetSysColor(COLOR_BTNFACE);
    if (s == "window") return GetSysColor(COLOR_WINDOW);
    if (s == "windowtext") return GetSysColor(COLOR_WINDOWTEXT);
    if (s == "none") return CLR_NONE;
    if (s.size() == 7 && s[0] == '#') {
        unsigned long v = std::strtoul(s.c_str() + 1, nullptr, 16);
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    return std::nullopt;
}

// Edit controls need CR LF line ends.
std::string ToCrLf(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) out += '\r';
        out += s[i];
    }
    return out;
}

std::string TextValue(const std::string& v) {
    if (!v.empty() && v[0] == '@') return ToCrLf(LoadResourceText(v.substr(1)));
    return v;
}

}  // namespace

void FormBuilder::Fail(const LayoutNode& node, const std::string& what) const {
    throw Exception("Layout line " + std::to_string(node.Line) + ": " + node.Name + ": " + what);
}

void FormBuilder::Build(const std::string& layoutText) {
    auto root = ParseLayout(layoutText);
    if (root->Kind != "form") Fail(*root, "a layout describes one form");
    RegisterClasses(&TForm::WindowProc);
    CreateFormWindow(*root);
    CreateChildren(*root, &form_, form_.hwnd_);
    for (const auto& [name, assign] : form_.fields_)
        if (!form_.FindControl(name)) throw Exception("Layout has no control for the field " + name);
    for (auto& c : form_.controls_)
        if (auto* pc = dynamic_cast<PageControl*>(c.get())) pc->LayoutPages();
}

HFONT FormBuilder::MakeFont(PropReader& props, Control& control, bool& own) {
    auto name = props.Text("font");
    auto size = props.Int("fontsize");
    own = name || size || !formFont_;
    if (!own) return formFont_;
    control.fontFace_ = name.value_or("MS Sans Serif");
    control.fontSize_ = size.value_or(11);
    return CreateUiFont(control.fontFace_, form_.Scale(control.fontSize_));
}

void FormBuilder::BindEvents(Control& control, PropReader& props, const LayoutNode& node) {
    for (const auto& [event, handler] : props.TakeEvents()) {
        if (!control.HasEvent(event)) Fail(node, "a " + node.Kind + " has no event " + event);
        auto it = form_.handlers_.find(handler);
        if (it == form_.handlers_.end()) Fail(node, "the form has no handler " + handler);
        control.BindEvent(event, it->second);
    }
}

void FormBuilder::CreateFormWindow(const LayoutNode& node) {
    PropReader props(node);
    form_.name_ = node.Name;
    form_.dpi_ = ScreenDpi();
    std::string caption = props.Text("caption").value_or("");
    std::string border = props.Text("border").value_or("single");
    BorderStyle style = border == "none"        ? BorderStyle::None
                        : border == "dialog"     ? BorderStyle::Dialog
                        : border == "toolwindow" ? BorderStyle::ToolWindow
                        : border == "single"     ? BorderStyle::Single
                                                 : (Fail(node, "unknown border " + border), BorderStyle::None);
    DWORD ws = WS_POPUP | WS_CLIPCHILDREN, ex = WS_EX_CONTROLPARENT;
    if (style != BorderStyle::None) ws |= WS_CAPTION | WS_SYSMENU;
    if (style == BorderStyle::Dialog) ex |= WS_EX_DLGMODALFRAME;
    if (style == BorderStyle::ToolWindow) ex |= WS_EX_TOOLWINDOW;
    form_.topmost_ = props.Bool("topmost").value_or(false);
    if (form_.topmost_) ex |= WS_EX_TOPMOST;

    RECT rc{0, 0, 0, 0};
    if (auto cw = props.Int("clientwidth")) {
        rc.right = form_.Scale(*cw);
        rc.bottom = form_.Scale(props.Int("clientheight").value_or(0));
        AdjustWindowRectEx(&rc, ws, FALSE, ex);
    } else {
        rc.right = form_.Scale(props.Int("width").value_or(300));
        rc.bottom = form_.Scale(props.Int("height").value_or(200));
    }
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = form_.Scale(props.Int("left").value_or(0)), y = form_.Scale(props.Int("top").value_or(0));
    if (props.Text("position").value_or("designed") == "desktopcenter") {
        x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    }
    if (auto color = props.Text("color")) {
        auto c = ParseColor(*color);
        if (!c) Fail(node, "unknown colour " + *color);
        form_.color_ = *c;
    }
    bool own = false;
    formFont_ = MakeFont(props, form_, own);
    form_.gdi_.push_back(formFont_);
    BindEvents(form_, props, node);
    form_.hasPaint_ = form_.events_.count("Paint") != 0;
    // A form that paints itself paints under its children too, for transparent labels.
    if (form_.hasPaint_) ws &= ~WS_CLIPCHILDREN;
    props.CheckAllUsed();

    TForm* main = Application.MainForm();
    HWND owner = main && main != &form_ ? main->Handle() : nullptr;
    HWND hwnd = CreateWindowExA(ex, kFormClass, caption.c_str(), ws, x, y, w, h, owner, nullptr,
                                GetModuleHandleA(nullptr), &form_);
    if (!hwnd) throw Exception("Cannot create the window " + node.Name);
    ShowAppIcon(hwnd, form_.dpi_);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_), FALSE);
}

void FormBuilder::CreateChildren(const LayoutNode& node, Control* parent, HWND parentHwnd) {
    bool prevRadio = false;
    for (const auto& child : node.Children) {
        bool radio = child->Kind == "radio";
        CreateControl(*child, parent, parentHwnd, !(radio && prevRadio));
        prevRadio = radio;
    }
}

Control* FormBuilder::CreateControl(const LayoutNode& node, Control* parent, HWND parentHwnd, bool groupStart) {
    static const std::set<std::string> kinds = {"label", "statictext", "button", "checkbox", "radio",
                                                "groupbox", "edit", "memo", "pages", "page",
                                                "scrollbox", "image", "bevel", "progress"};
    const std::string& k = node.Kind;
    if (!kinds.count(k)) Fail(node, "unknown kind of control " + k);
    if ((k == "page") != (dynamic_cast<PageControl*>(parent) != nullptr))
        Fail(node, "pages, and only pages, belong to a page control");
    if (form_.FindControl(node.Name)) Fail(node, "a second control of this name");
    auto field = form_.fields_.find(node.Name);
    if (field == form_.fields_.end()) Fail(node, "the form has no field " + node.Name);

    std::unique_ptr<Control> c;
    const char* cls = WC_STATICA;
    DWORD ws = WS_CHILD | WS_VISIBLE | (groupStart ? WS_GROUP : 0), ex = 0;
    bool container = false;
    PropReader props(node);
    if (k == "label") {
        auto l = std::make_unique<Label>();
        l->AutoSize = props.Bool("autosize").value_or(false);
        c = std::move(l);
        ws |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    } else if (k == "statictext") {
        c = std::make_unique<StaticText>();
        ws |= SS_LEFT | SS_NOPREFIX;
    } else if (k == "button") {
        c = std::make_unique<Button>();
        cls = WC_BUTTONA;
        ws |= BS_PUSHBUTTON | WS_TABSTOP;
    } else if (k == "checkbox") {
        c = std::make_unique<CheckBox>();
        cls = WC_BUTTONA;
        ws |= BS_AUTOCHECKBOX | WS_TABSTOP;
    } else if (k == "radio") {
        c = std::make_unique<RadioButton>();
        cls = WC_BUTTONA;
        ws |= BS_AUTORADIOBUTTON | (groupStart ? WS_TABSTOP : 0);
    } else if (k == "groupbox") {
        c = std::make_unique<GroupBox>();
        cls = WC_BUTTONA;
        ws |= BS_GROUPBOX;
        ex |= WS_EX_CONTROLPARENT;
        container = true;
    } else if (k == "edit") {
        c = std::make_unique<Edit>();
        cls = WC_EDITA;
        ws |= ES_AUTOHSCROLL | WS_TABSTOP;
        ex |= WS_EX_CLIENTEDGE;
    } else if (k == "memo") {
        c = std::make_unique<Memo>();
        cls = WC_EDITA;
        ws |= ES_MULTILINE | WS_TABSTOP;
        if (props.Bool("readonly").value_or(false)) ws |= ES_READONLY;
        std::string sb = props.Text("scrollbars").value_or("none");
        if (sb == "vertical" || sb == "both") ws |= WS_VSCROLL;
        if (sb == "both") ws |= WS_HSCROLL | ES_AUTOHSCROLL;
        ex |= WS_EX_CLIENTEDGE;
    } else if (k == "pages") {
        c = std::make_unique<PageControl>();
        cls = WC_TABCONTROLA;
        ws |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        if (props.Text("style").value_or("") == "flatbuttons") ws |= TCS_BUTTONS | TCS_FLATBUTTONS;
        if (props.Bool("tabstop").value_or(true)) ws |= WS_TABSTOP;
        ex |= WS_EX_CONTROLPARENT;
        container = true;
    } else if (k == "page") {
        c = std::make_unique<Page>();
        cls = kPageClass;
        ws &= ~WS_VISIBLE;
        ex |= WS_EX_CONTROLPARENT;
        container = true;
    } else if (k == "scrollbox") {
        c = std::make_unique<ScrollBox>();
        ws |= WS_CLIPCHILDREN;
        ex |= WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT;
        container = true;
    } else if (k == "image") {
        c = std::make_unique<Image>();
        ws |= SS_BITMAP;
    } else if (k == "bevel") {
        c = std::make_unique<Bevel>();
        if (props.Text("shape").value_or("topline") != "topline") Fail(node, "a bevel draws its top line only");
        ws |= SS_OWNERDRAW;  // the etched-line style would shrink the box to the line
    } else if (k == "progress") {
        c = std::make_unique<ProgressBar>();
        cls = PROGRESS_CLASSA;
    }
    if (auto enabled = props.Bool("enabled"); enabled && !*enabled) ws |= WS_DISABLED;

    RECT b{0, 0, 0, 0};
    if (k != "page") {
        if (props.Text("align").value_or("") == "client") {
            c->fillsParent_ = true;
            GetClientRect(parentHwnd, &b);
        } else {
            auto v = props.Ints("bounds", 4);
            if (!v) Fail(node, "bounds are missing");
            c->design_ = RECT{(*v)[0], (*v)[1], (*v)[0] + (*v)[2], (*v)[1] + (*v)[3]};
            b = RECT{form_.Scale((*v)[0]), form_.Scale((*v)[1]), form_.Scale((*v)[0] + (*v)[2]),
                     form_.Scale((*v)[1] + (*v)[3])};
        }
    }
    std::string caption = TextValue(props.Text("caption").value_or(props.Text("text").value_or("")));
    if (k == "page") caption = props.Text("caption").value_or(node.Name);

    HWND hwnd = CreateWindowExA(ex, cls, k == "page" ? "" : caption.c_str(), ws, b.left, b.top,
                                b.right - b.left, b.bottom - b.top, parentHwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) Fail(node, "cannot create the control");
    Control* raw = c.get();
    raw->name_ = node.Name;
    raw->form_ = &form_;
    raw->parent_ = parent;
    raw->Attach(hwnd);
    form_.controls_.push_back(std::move(c));
    if (!field->second(raw)) Fail(node, "the field " + node.Name + " is not a " + k);

    bool ownFont = false;
    HFONT font = MakeFont(props, *raw, ownFont);
    if (ownFont) form_.gdi_.push_back(font);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    COLORREF text = CLR_INVALID, back = CLR_INVALID;
    if (auto t = props.Text("textcolor")) {
        auto v = ParseColor(*t);
        if (!v) Fail(node, "unknown colour " + *t);
        text = *v;
    }
    if (auto t = props.Text("color")) {
        auto v = ParseColor(*t);
        if (!v) Fail(node, "unknown colour " + *t);
        back = *v;
    }
    if (props.Bool("transparent").value_or(false)) back = CLR_NONE;
    raw->textColor_ = text;
    raw->backColor_ = back;

    if (auto a = props.Text("anchors")) {
        raw->anchorRight_ = a->find("right") != std::string::npos;
        raw->anchorBottom_ = a->find("bottom") != std::string::npos;
        RECT pc;
        GetClientRect(parentHwnd, &pc);
        raw->marginRight_ = pc.right - b.right;
        raw->marginBottom_ = pc.bottom - b.bottom;
    }
    if (auto* label = dynamic_cast<Label*>(raw); label && label->AutoSize) label->SetText(caption);
    if (auto checked = props.Bool("checked"); checked && *checked)
        SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    if (k == "progress") {
        SendMessageA(hwnd, PBM_SETRANGE32, props.Int("min").value_or(0), props.Int("max").value_or(100));
        SendMessageA(hwnd, PBM_SETPOS, 0, 0);
    }
    if (k == "image") {
        if (auto pic = props.Text("picture")) {
            auto bytes = LoadResourceBytes(*pic);
            static_cast<Image*>(raw)->SetPicture(DecodeJpeg(bytes.data(), bytes.size()).Release());
        }
    }
    if (k == "page") static_cast<PageControl*>(parent)->AddPage(static_cast<Page*>(raw), caption);
    if (container && k != "page") SetWindowSubclass(hwnd, ForwardToForm, 1, reinterpret_cast<DWORD_PTR>(form_.hwnd_));
    if (k == "page") SetWindowSubclass(hwnd, ForwardToForm, 1, reinterpret_cast<DWORD_PTR>(form_.hwnd_));
    std::optional<std::string> active = k == "pages" ? props.Text("active") : std::nullopt;
    BindEvents(*raw, props, node);
    props.CheckAllUsed();

    if (container) CreateChildren(node, raw, hwnd);
    if (k == "pages") {
        auto* pc = static_cast<PageControl*>(raw);
        pc->LayoutPages();
        Page* first = pc->PageCount() ? pc->PageAt(0) : nullptr;
        for (int i = 0; i < pc->PageCount(); ++i)
            if (active && pc->PageAt(i)->Name() == *active) first = pc->PageAt(i);
        if (active && (!first || first->Name() != *active)) Fail(node, "no page " + *active);
        if (first) pc->SetActivePage(first);
    }
    return raw;
}

}  // namespace vk
