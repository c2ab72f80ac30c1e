#include "FormBuilder.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "AppIcon.h"
#include "Application.h"
#include "Exception.h"
#include "Fonts.h"
#include "Resources.h"

namespace vk {

namespace {

constexpr char kFormClass[] = "VaskelForm";

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

int ScreenDpi() {
    const int dpi = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
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
    const AppIconPair icons = AppIcons(ScreenDpi());
    wc.hIcon = icons.big;
    wc.hIconSm = icons.small;
    wc.lpszClassName = kFormClass;
    RegisterClassExA(&wc);
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
    ReadForm(*root);
    ReadChildren(*root, &form_);
    for (const auto& [name, assign] : form_.fields_)
        if (!form_.FindControl(name)) throw Exception("Layout has no control for the field " + name);
}

void FormBuilder::MakePage(Page& page) {
    page.made_ = true;
    if (!page.hwnd_) MakeControl(page);
    MakeChildren(page);
}

HFONT FormBuilder::MakeFont(const Control& control) {
    if (control.fontFace_.empty()) return form_.font_;
    HFONT font = CreateUiFont(control.fontFace_, form_.Scale(control.fontSize_));
    form_.gdi_.emplace_back(font);
    return font;
}

void FormBuilder::BindEvents(Control& control, PropReader& props, const LayoutNode& node) {
    for (const auto& [event, handler] : props.TakeEvents()) {
        if (!control.HasEvent(event)) Fail(node, "a " + node.Kind + " has no event " + event);
        auto it = form_.handlers_.find(handler);
        if (it == form_.handlers_.end()) Fail(node, "the form has no handler " + handler);
        control.BindEvent(event, it->second);
    }
}

void FormBuilder::ReadForm(const LayoutNode& node) {
    PropReader props(node);
    form_.name_ = node.Name;
    form_.dpi_ = ScreenDpi();
    form_.caption_ = props.Text("caption").value_or("");
    std::string border = props.Text("border").value_or("single");
    BorderStyle style = border == "none"         ? BorderStyle::None
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

    RECT insets{0, 0, 0, 0};
    AdjustWindowRectExForDpi(&insets, ws, FALSE, ex, form_.dpi_);
    const int frameW = insets.right - insets.left, frameH = insets.bottom - insets.top;
    int w, h;
    if (auto cw = props.Int("clientwidth")) {
        w = form_.Scale(*cw) + frameW;
        h = form_.Scale(props.Int("clientheight").value_or(0)) + frameH;
    } else {
        w = form_.Scale(props.Int("width").value_or(300));
        h = form_.Scale(props.Int("height").value_or(200));
    }
    form_.designedClient_ = SIZE{w - frameW, h - frameH};
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
    form_.fontFace_ = props.Text("font").value_or("MS Sans Serif");
    form_.fontSize_ = props.Int("fontsize").value_or(11);
    BindEvents(form_, props, node);
    form_.hasPaint_ = form_.events_.count("Paint") != 0;
    // A form that paints itself paints under its children too, for transparent labels.
    if (form_.hasPaint_) ws &= ~WS_CLIPCHILDREN;
    props.CheckAllUsed();
    form_.create_ = CreateArgs{kFormClass, ws, ex, true};
    form_.frame_ = RECT{x, y, x + w, y + h};
}

void FormBuilder::MakeForm() {
    TForm* main = Application.MainForm();
    HWND owner = main && main != &form_ ? main->Handle() : nullptr;
    const RECT& f = form_.frame_;
    const DWORD style = form_.create_.style | (form_.state_ == WindowState::Maximized ? WS_MAXIMIZE : 0);
    HWND hwnd = CreateWindowExA(form_.create_.exStyle, kFormClass, form_.caption_.c_str(), style, f.left, f.top,
                                f.right - f.left, f.bottom - f.top, owner, nullptr, GetModuleHandleA(nullptr), &form_);
    if (!hwnd) throw Exception("Cannot create the window " + form_.name_);
    // A dialog frame shows no class icon, so a form with a title bar is given its own.
    if (form_.create_.style & WS_CAPTION) ShowAppIcon(hwnd, form_.dpi_);
    form_.font_ = MakeFont(form_);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form_.font_), FALSE);
    MakeChildren(form_);
    // Made maximised, the form was already larger than designed when its children came.
    if (style & WS_MAXIMIZE) form_.KeepAnchors();
}

void FormBuilder::ReadChildren(const LayoutNode& node, Control* parent) {
    bool prevRadio = false;
    for (const auto& child : node.Children) {
        bool radio = child->Kind == "radio";
        ReadControl(*child, parent, !(radio && prevRadio));
        prevRadio = radio;
    }
}

namespace {

template <class T>
std::unique_ptr<Control> Make() {
    return std::make_unique<T>();
}

// Every kind a layout may name; each control class knows how it is made.
const std::map<std::string, std::unique_ptr<Control> (*)()>& Kinds() {
    static const std::map<std::string, std::unique_ptr<Control> (*)()> kinds = {
        {"label", Make<Label>},         {"statictext", Make<StaticText>},
        {"button", Make<Button>},       {"checkbox", Make<CheckBox>},
        {"radio", Make<RadioButton>},   {"groupbox", Make<GroupBox>},
        {"edit", Make<Edit>},           {"memo", Make<Memo>},
        {"pages", Make<PageControl>},   {"page", Make<Page>},
        {"scrollbox", Make<ScrollBox>}, {"image", Make<Image>},
        {"bevel", Make<Bevel>},         {"progress", Make<ProgressBar>}};
    return kinds;
}

}  // namespace

void FormBuilder::ReadControl(const LayoutNode& node, Control* parent, bool groupStart) {
    const auto kind = Kinds().find(node.Kind);
    if (kind == Kinds().end()) Fail(node, "unknown kind of control " + node.Kind);
    const bool page = node.Kind == "page";
    if (page != (dynamic_cast<PageControl*>(parent) != nullptr))
        Fail(node, "pages, and only pages, belong to a page control");
    if (form_.FindControl(node.Name)) Fail(node, "a second control of this name");
    const auto field = form_.fields_.find(node.Name);
    if (field == form_.fields_.end()) Fail(node, "the form has no field " + node.Name);

    std::unique_ptr<Control> owned = kind->second();
    Control& c = *owned;
    c.name_ = node.Name;
    c.form_ = &form_;
    c.parent_ = parent;
    c.id_ = nextId_++;
    form_.controls_.push_back(std::move(owned));
    if (!field->second(&c)) Fail(node, "the field " + node.Name + " is not a " + node.Kind);

    PropReader props(node);
    try {
        c.create_ = c.Creating(props, groupStart);
    } catch (const Exception& e) {
        Fail(node, e.what());
    }
    // A page stays hidden until its page control shows it.
    c.create_.style |= WS_CHILD | (page ? 0 : WS_VISIBLE) | (groupStart ? WS_GROUP : 0);
    if (auto enabled = props.Bool("enabled"); enabled && !*enabled) c.create_.style |= WS_DISABLED;
    if (!page) ReadBounds(node, props, c);
    c.caption_ = page ? props.Text("caption").value_or(node.Name)
                      : TextValue(props.Text("caption").value_or(props.Text("text").value_or("")));
    ReadLooks(c, props, node);
    BindEvents(c, props, node);
    props.CheckAllUsed();
    if (page) static_cast<PageControl*>(parent)->pages_.push_back(static_cast<Page*>(&c));
    if (c.create_.container) ReadChildren(node, &c);
    if (auto* pages = dynamic_cast<PageControl*>(&c); pages && pages->first_) {
        const auto& children = node.Children;
        if (std::none_of(children.begin(), children.end(), [&](const auto& n) { return n->Name == *pages->first_; }))
            Fail(node, "no page " + *pages->first_);
    }
}

void FormBuilder::MakeChildren(Control& parent) {
    // A page waits for its first showing.
    for (const auto& c : form_.controls_)
        if (c->parent_ == &parent && !dynamic_cast<Page*>(c.get())) MakeControl(*c);
}

void FormBuilder::MakeControl(Control& c) {
    const HWND parentHwnd = c.parent_->hwnd_;
    auto* page = dynamic_cast<Page*>(&c);
    RECT b{};
    if (page)
        b = static_cast<PageControl*>(c.parent_)->PageArea();
    else if (c.fillsParent_)
        GetClientRect(parentHwnd, &b);
    else
        b = RECT{form_.Scale(c.design_.left), form_.Scale(c.design_.top), form_.Scale(c.design_.right),
                 form_.Scale(c.design_.bottom)};
    HWND hwnd =
        CreateWindowExA(c.create_.exStyle, c.create_.windowClass, page ? "" : c.caption_.c_str(), c.create_.style,
                        b.left, b.top, b.right - b.left, b.bottom - b.top, parentHwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id_)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) throw Exception("Cannot create the control " + c.name_);
    c.Attach(hwnd);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(MakeFont(c)), FALSE);
    if (c.anchorRight_ || c.anchorBottom_) {
        // The margins are those of the design, whatever size the parent has now.
        RECT pc;
        if (c.parent_ == &form_)
            pc = RECT{0, 0, form_.designedClient_.cx, form_.designedClient_.cy};
        else
            GetClientRect(parentHwnd, &pc);
        c.marginRight_ = pc.right - b.right;
        c.marginBottom_ = pc.bottom - b.bottom;
    }
    c.Created();
    if (page) static_cast<PageControl*>(c.parent_)->PlacePage(*page);
    if (c.create_.container) SetWindowSubclass(hwnd, ForwardToForm, 1, reinterpret_cast<DWORD_PTR>(form_.hwnd_));
    if (c.create_.container && !page) MakeChildren(c);
    if (auto* pages = dynamic_cast<PageControl*>(&c)) ShowFirstPage(*pages);
}

void FormBuilder::ReadBounds(const LayoutNode& node, PropReader& props, Control& c) {
    if (props.Text("align").value_or("") == "client") {
        c.fillsParent_ = true;
        return;
    }
    const auto v = props.Ints("bounds", 4);
    if (!v) Fail(node, "bounds are missing");
    c.design_ = RECT{(*v)[0], (*v)[1], (*v)[0] + (*v)[2], (*v)[1] + (*v)[3]};
}

void FormBuilder::ReadLooks(Control& c, PropReader& props, const LayoutNode& node) {
    const auto name = props.Text("font");
    const auto size = props.Int("fontsize");
    if (name || size) {
        c.fontFace_ = name.value_or("MS Sans Serif");
        c.fontSize_ = size.value_or(11);
    }
    const auto colour = [&](const char* key) {
        const auto text = props.Text(key);
        if (!text) return COLORREF{CLR_INVALID};
        const auto value = ParseColor(*text);
        if (!value) Fail(node, "unknown colour " + *text);
        return *value;
    };
    c.textColor_ = colour("textcolor");
    c.backColor_ = colour("color");
    if (props.Bool("transparent").value_or(false)) c.backColor_ = CLR_NONE;
    if (auto anchors = props.Text("anchors")) {
        c.anchorRight_ = anchors->find("right") != std::string::npos;
        c.anchorBottom_ = anchors->find("bottom") != std::string::npos;
    }
}

void FormBuilder::ShowFirstPage(PageControl& pages) {
    Page* first = pages.PageCount() ? pages.PageAt(0) : nullptr;
    for (int i = 0; i < pages.PageCount(); ++i)
        if (pages.first_ && pages.PageAt(i)->Name() == *pages.first_) first = pages.PageAt(i);
    if (first) pages.SetActivePage(first);
}

}  // namespace vk
