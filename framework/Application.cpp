#include "Application.h"

#include <commctrl.h>

#include "Exception.h"
#include "MessageBoxes.h"
#include "Resources.h"

namespace vk {

TApplication Application;

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
}

void TApplication::LoadForm(TForm& form, const char* layoutResource) {
    form.Load(LoadResourceText(layoutResource));
    form.Fire("Create");
}

void TApplication::ShowException(const std::exception& e) { StopBox(ExceptionDisplayText(e.what())); }

namespace {

TForm* FormOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto* c = Control::FromHandle(GetAncestor(hwnd, GA_ROOT));
    return dynamic_cast<TForm*>(c);
}

PageControl* EnclosingPageControl(HWND hwnd) {
    for (HWND h = hwnd; h; h = GetParent(h))
        if (auto* pc = dynamic_cast<PageControl*>(Control::FromHandle(h))) return pc;
    return nullptr;
}

}  // namespace

bool TApplication::PreTranslate(MSG& msg) {
    TForm* form = FormOf(msg.hwnd);
    if (!form) return false;
    bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR;
    if (key && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) return true;
    if (key && msg.wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000)) {
        if (msg.message == WM_KEYDOWN)
            if (PageControl* pc = EnclosingPageControl(GetFocus()))
                pc->SelectNextPage(!(GetKeyState(VK_SHIFT) & 0x8000));
        return true;
    }
    return IsDialogMessageA(form->Handle(), &msg) != FALSE;
}

void TApplication::AfterDispatch(const MSG& msg) {
    if (TForm* form = FormOf(msg.hwnd)) form->TrackFocus();
}

void TApplication::Run() {
    if (main_) main_->Show();
    MSG msg;
    while (!terminated_) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1) break;
        try {
            if (!PreTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            AfterDispatch(msg);
        } catch (const std::exception& e) {
            ShowException(e);
        }
    }
    terminated_ = true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));  // the main loop must see it too
            return;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        AfterDispatch(msg);
    }
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::DestroyForms() {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) (*it)->Destroy();
    forms_.clear();
    main_ = nullptr;
}

}  // namespace vk
