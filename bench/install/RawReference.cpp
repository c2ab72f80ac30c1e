#include "RawReference.h"

#include <commctrl.h>

#include <cstring>

#include "InstallLayout.h"

namespace rawref {

namespace {

constexpr char kFormClass[] = "RawReferenceForm";
constexpr char kPageClass[] = "RawReferencePage";

// What a coloured control asks for in WM_CTLCOLOR*: its text colour and its
// background (no brush: transparent). Held in the control's GWLP_USERDATA.
struct Look {
    COLORREF text;
    int stockBrush;  // -1: transparent
};
const Look kSilverMemo{RGB(0, 0, 0), LTGRAY_BRUSH};  // LTGRAY is 192,192,192: "silver"
const Look kWhiteEdit{CLR_INVALID, WHITE_BRUSH};
const Look kWhiteTransparent{RGB(255, 255, 255), -1};

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            if (const auto* look =
                    reinterpret_cast<const Look*>(GetWindowLongPtrA(reinterpret_cast<HWND>(lp), GWLP_USERDATA))) {
                const HDC dc = reinterpret_cast<HDC>(wp);
                if (look->text != CLR_INVALID) SetTextColor(dc, look->text);
                if (look->stockBrush < 0) {
                    SetBkMode(dc, TRANSPARENT);
                    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
                }
                SetBkColor(dc, look->stockBrush == WHITE_BRUSH ? RGB(255, 255, 255) : RGB(192, 192, 192));
                return reinterpret_cast<LRESULT>(GetStockObject(look->stockBrush));
            }
            break;
        case WM_DRAWITEM: {  // the bevel: a line along its top
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            RECT rc = item->rcItem;
            FillRect(item->hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(item->hDC, &rc, EDGE_ETCHED, BF_TOP);
            return TRUE;
        }
        case WM_PAINT:  // only the backdrop paints itself: 200 bands from black to blue
            if (GetWindowLongPtrA(hwnd, GWLP_USERDATA)) {
                PAINTSTRUCT ps;
                const HDC dc = BeginPaint(hwnd, &ps);
                RECT client;
                GetClientRect(hwnd, &client);
                for (int i = 0; i < 200; ++i) {
                    const RECT band{0, i * client.bottom / 200, client.right, (i + 1) * client.bottom / 200};
                    const vk::Brush brush(CreateSolidBrush(RGB(0, 0, (i + 10) & 0xFF)));
                    FillRect(dc, &band, brush.get());
                }
                EndPaint(hwnd, &ps);
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            if (GetWindowLongPtrA(hwnd, GWLP_USERDATA)) return 1;
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Resource 1 at the screen's size, as the program's windows show it; none without one.
HICON ResourceIcon(int metric) {
    const int size = GetSystemMetrics(metric);
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_SHARED));
}

void Register(const char* name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = ResourceIcon(SM_CXICON);
    wc.hIconSm = ResourceIcon(SM_CXSMICON);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

std::string ResourceText(const char* id) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC res = FindResourceA(module, id, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    const HGLOBAL data = res ? LoadResource(module, res) : nullptr;
    const char* p = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    std::string text;
    for (DWORD i = 0; p && i < SizeofResource(module, res); ++i) {
        if (p[i] == '\n' && (i == 0 || p[i - 1] != '\r')) text += '\r';
        text += p[i];
    }
    return text;
}

HFONT UiFont(int height) {
    return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

// The kinds of control the two layouts use: the class and styles each is made with.
struct Kind {
    const char* cls;
    DWORD style, ex;
};
const Kind kGroupBox{WC_BUTTONA, BS_GROUPBOX | WS_GROUP, WS_EX_CONTROLPARENT};
const Kind kRadioFirst{WC_BUTTONA, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0};
const Kind kRadio{WC_BUTTONA, BS_AUTORADIOBUTTON, 0};
const Kind kCheck{WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0};
const Kind kButton{WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
const Kind kLabel{WC_STATICA, SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_GROUP, 0};
const Kind kStaticText{WC_STATICA, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0};
const Kind kEdit{WC_EDITA, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE};
const Kind kMemo{WC_EDITA, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE};
const Kind kMemoBoth{WC_EDITA,
                     ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
                     WS_EX_CLIENTEDGE};

}  // namespace

bool WriteWhole(const File& file) {
    const HANDLE out = CreateFileA(file.name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(out, file.bytes.data(), DWORD(file.bytes.size()), &written, nullptr) && written == file.bytes.size();
    return CloseHandle(out) && ok;
}

HWND Windows::Make(DWORD ex, const char* cls, const char* text, DWORD style, RECT b, HWND parent) {
    static int id = 100;
    const auto scale = [this](LONG v) { return MulDiv(v, dpi_, 96); };
    const HWND hwnd = CreateWindowExA(
        ex, cls, text, WS_CHILD | WS_VISIBLE | style, scale(b.left), scale(b.top), scale(b.right), scale(b.bottom),
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return hwnd;
}

Windows::Windows(SIZE picture) {
    static const bool registered = (Register(kFormClass), Register(kPageClass), true);
    (void)registered;
    {
        const HDC screen = GetDC(nullptr);
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    font_.reset(UiFont(MulDiv(11, dpi_, 96)));
    titleFont_.reset(UiFont(MulDiv(50, dpi_, 96)));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const auto make = [&](const Kind& k, const char* text, RECT b, HWND parent) {
        return Make(k.ex, k.cls, text, k.style, b, parent);
    };

    // The backdrop: borderless, maximised, painting its gradient under two transparent labels.
    backdrop_ = CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, "Vaskel Installation", WS_POPUP | WS_MAXIMIZE, 0, 0,
                                screenW, screenH, nullptr, nullptr, instance, nullptr);
    SetWindowLongPtrA(backdrop_, GWLP_USERDATA, 1);
    const HWND title = make(kLabel, "Vaskel Setup", {8, 8, 294, 58}, backdrop_);
    SendMessageA(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    // The notice keeps its margins in the designed window: 530 x 329 with a title bar.
    RECT insets{};
    AdjustWindowRectExForDpi(&insets, WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_CONTROLPARENT,
                             dpi_);
    const int right = MulDiv(530, dpi_, 96) - (insets.right - insets.left) - MulDiv(368 + 151, dpi_, 96);
    const int bottom = MulDiv(329, dpi_, 96) - (insets.bottom - insets.top) - MulDiv(288 + 13, dpi_, 96);
    const RECT notice{MulDiv(screenW - right, 96, dpi_) - 151, MulDiv(screenH - bottom, 96, dpi_) - 13, 151, 13};
    const HWND copy = make(kLabel, "\xA9 Kestrelmoor Software", notice, backdrop_);
    for (HWND label : {title, copy})
        SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&kWhiteTransparent));

    // The wizard: 544 x 336 outside, a dialog frame with the program's icon, on top, centred.
    const int ww = MulDiv(544, dpi_, 96), wh = MulDiv(336, dpi_, 96);
    wizard_ = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kFormClass,
                              "Vaskel Setup Wizard", WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU,
                              (screenW - ww) / 2, (screenH - wh) / 2, ww, wh, backdrop_, nullptr, instance, nullptr);
    if (const HICON small = ResourceIcon(SM_CXSMICON)) {
        SendMessageA(wizard_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
        SendMessageA(wizard_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ResourceIcon(SM_CXICON)));
    }
    SendMessageA(wizard_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    tabs_ = Make(WS_EX_CONTROLPARENT, WC_TABCONTROLA, "",
                 WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_BUTTONS | TCS_FLATBUTTONS | WS_GROUP, {11, -25, 512, 289},
                 wizard_);
    const char* const tabLabels[6] = {"Step 1", "Step 3", "Step 4", "Step 5", "Step 6", "Step 7"};
    for (int i = 0; i < 6; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tabLabels[i]);
        SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    // Step 1: the choice of action beside the welcome picture.
    MakePage(0);
    make(kGroupBox, "Choose an Option:", {312, 55, 184, 181}, pages_[0]);
    // As the wizard offers them on a machine without the product: Install alone.
    SendMessageA(make(kRadioFirst, "Install", {337, 81, 56, 17}, pages_[0]), BM_SETCHECK, BST_CHECKED, 0);
    make({WC_BUTTONA, kRadio.style | WS_DISABLED, 0}, "Uninstall", {337, 134, 72, 17}, pages_[0]);
    make({WC_BUTTONA, kRadio.style | WS_DISABLED, 0}, "Modify / Repair", {337, 189, 113, 17}, pages_[0]);
    make(kStaticText, "(Install Vaskel on your computer)", {355, 100, 109, 29}, pages_[0]);
    const Kind greyed{WC_STATICA, kStaticText.style | WS_DISABLED, 0};
    make(greyed, "(Completely uninstall Vaskel from your computer)", {353, 151, 133, 27}, pages_[0]);
    make(greyed, "(Add/remove/replace components)", {353, 206, 105, 28}, pages_[0]);
    const HWND scroll = make({WC_STATICA, WS_CLIPCHILDREN | WS_GROUP, WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT}, "",
                             {4, 13, 297, 223}, pages_[0]);
    RECT inside;
    GetClientRect(scroll, &inside);
    const HWND image = CreateWindowExA(0, WC_STATICA, "", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_BITMAP, 0, 0,
                                       inside.right, inside.bottom, scroll, nullptr, instance, nullptr);
    {
        const HDC screen = GetDC(nullptr);
        picture_.reset(CreateCompatibleBitmap(screen, picture.cx, picture.cy));
        ReleaseDC(nullptr, screen);
    }
    SendMessageA(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
    make(kLabel, "Welcome to Vaskel Setup Program", {312, 16, 168, 13}, pages_[0]);
    // Below the pages: the line and the three buttons.
    make({WC_STATICA, SS_OWNERDRAW | WS_GROUP, 0}, "", {16, 265, 497, 9}, wizard_);
    make(kButton, "<< Back", {178, 273, 75, 25}, wizard_);
    make(kButton, "Next >>", {253, 273, 75, 25}, wizard_);
    make(kButton, "Cancel", {438, 272, 75, 25}, wizard_);
    SendMessageA(tabs_, TCM_SETCURSEL, 0, 0);
    ShowWindow(pages_[0], SW_SHOW);
    activePage_ = pages_[0];
}

void Windows::MakePage(int index) {
    RECT area;
    GetClientRect(tabs_, &area);
    SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    pages_[index] = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_GROUP, area.left, area.top,
                                    area.right - area.left, area.bottom - area.top, tabs_, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    SendMessageA(pages_[index], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void Windows::MakeRest() {
    const auto make = [&](const Kind& k, const char* text, RECT b, HWND parent) {
        return Make(k.ex, k.cls, text, k.style, b, parent);
    };
    for (int i = 1; i < 6; ++i) MakePage(i);
    // Step 3: the licence.
    const std::string license = ResourceText("LICENSE_TXT"), readme = ResourceText("README_TXT");
    const HWND licenseMemo = make(kMemo, license.c_str(), {16, 8, 441, 217}, pages_[1]);
    SetWindowLongPtrA(licenseMemo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&kSilverMemo));
    make(kCheck, "I agree with the terms and conditions", {16, 240, 193, 17}, pages_[1]);
    // Step 4: the components.
    const HWND components = make(
        kGroupBox, "Select the components that should be installed on your computer:", {40, 8, 425, 161}, pages_[2]);
    const HWND vaskel = make({WC_BUTTONA, kCheck.style | WS_DISABLED, 0},
                             "Vaskel - Neural Networks Development Environment", {24, 32, 281, 17}, components);
    const HWND sim = make(kCheck, "Vaskel Sim", {24, 56, 97, 17}, components);
    const HWND english = make(kCheck, "Help Documentation and Tutorials in English", {24, 80, 241, 17}, components);
    make(kCheck, "Help Documentation and Tutorials in Portuguese", {24, 104, 257, 17}, components);
    const HWND animate = make(kCheck,
                              "Interactive Animated Help                                                            "
                              "Size:",
                              {24, 128, 385, 17}, components);
    for (HWND box : {vaskel, sim, english, animate}) SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    // Step 5: the destination and the mode.
    const HWND destination = make(kGroupBox, "Choose Destination Folder:", {40, 136, 401, 105}, pages_[3]);
    const HWND edit = make(kEdit, "C:\\Vaskel", {16, 40, 377, 21}, destination);
    SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&kWhiteEdit));
    make(kButton, "Choose...", {318, 72, 75, 25}, destination);
    const HWND mode = make(kGroupBox, "Select Installation Mode:", {40, 24, 401, 97}, pages_[3]);
    const HWND typical = make(kRadioFirst, "Typical (Install most common components)                 Size: 3.5MB",
                              {24, 32, 330, 17}, mode);
    SendMessageA(typical, BM_SETCHECK, BST_CHECKED, 0);
    make(kRadio, "Custom (Let you choose the components to install)     Size: 2.0 - 4.2MB", {24, 64, 353, 17}, mode);
    // Step 6: the shortcuts.
    const HWND icons = make(kGroupBox, "Icons and Shortcuts:", {40, 56, 353, 73}, pages_[4]);
    SendMessageA(make(kCheck, "Create Start Menu Program Group", {32, 24, 185, 17}, icons), BM_SETCHECK, BST_CHECKED,
                 0);
    make(kCheck, "Create Desktop Icon", {32, 48, 129, 17}, icons);
    // Step 7: the read-me.
    const HWND readmeMemo = make(kMemoBoth, readme.c_str(), {16, 16, 441, 217}, pages_[5]);
    SetWindowLongPtrA(readmeMemo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&kSilverMemo));
    iconsPage_ = pages_[4];

    // The progress dialog: a 264 x 110 client area in a tool window frame, centred.
    const DWORD dialogStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
    const DWORD dialogEx = WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW;
    RECT frame{0, 0, MulDiv(264, dpi_, 96), MulDiv(110, dpi_, 96)};
    AdjustWindowRectEx(&frame, dialogStyle, FALSE, dialogEx);
    const int dw = frame.right - frame.left, dh = frame.bottom - frame.top;
    dialog_ = CreateWindowExA(dialogEx, kFormClass, "Installing...", dialogStyle,
                              (GetSystemMetrics(SM_CXSCREEN) - dw) / 2, (GetSystemMetrics(SM_CYSCREEN) - dh) / 2, dw,
                              dh, backdrop_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    bar_ = Make(0, PROGRESS_CLASSA, "", WS_GROUP, {24, 48, 209, 16}, dialog_);
    SendMessageA(bar_, PBM_SETRANGE32, 0, 100);
    label_ = make(kLabel, "Progress:", {25, 32, 44, 13}, dialog_);
}

Windows::~Windows() {
    for (HWND h : {dialog_, wizard_, backdrop_})
        if (h) DestroyWindow(h);
}

void Windows::Status(const char* text) {
    SetWindowTextA(label_, text);
    // The label fits its text, as the dialog's label sizes itself.
    SIZE size{};
    const HDC dc = GetDC(label_);
    const HGDIOBJ old = SelectObject(dc, font_.get());
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(label_, dc);
    SetWindowPos(label_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The bar shows each position as it repaints itself; no repaint is asked of it here.
void Windows::Bar(int position) { SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0); }

bool Windows::Install(const std::string& destination, const std::vector<File>& files, const char* components) {
    ShowWindow(wizard_, SW_HIDE);
    SetWindowTextA(dialog_, "Installing...");
    if (!IsWindowVisible(dialog_)) {
        ShowWindow(dialog_, SW_SHOW);
        Bar(0);
        RedrawWindow(backdrop_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!IsDialogMessageA(GetAncestor(msg.hwnd, GA_ROOT), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }

    const std::string folder = destination.back() == '\\' ? destination : destination + '\\';
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if ((attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) &&
        !CreateDirectoryA(folder.c_str(), nullptr))
        return false;
    Status("Creating Folders...");
    for (const char* sub : kSubFolders) CreateDirectoryA((folder + sub).c_str(), nullptr);

    bool ok = true;
    const auto write = [&](char component) {
        if (!std::strchr(components, component)) return;
        for (const File& f : files)
            if (f.component == component) ok = WriteWhole(f) && ok;
    };
    Status("Creating Core Files...");
    if (!SetCurrentDirectoryA(folder.c_str())) return false;
    write('1');
    Status("Creating VaskelSim Files...");
    write('2');
    Bar(50);
    Status("Creating Help Files...");
    write('3');
    Bar(60);
    write('4');
    Bar(80);
    Status("Creating Interactive Help Files...");
    write('5');
    Bar(100);

    if (activePage_ != iconsPage_) {
        SendMessageA(tabs_, TCM_SETCURSEL, 4, 0);
        ShowWindow(iconsPage_, SW_SHOW);
        ShowWindow(activePage_, SW_HIDE);
        activePage_ = iconsPage_;
    }
    ShowWindow(dialog_, SW_HIDE);
    ShowWindow(wizard_, SW_SHOW);
    return ok;
}

}  // namespace rawref
