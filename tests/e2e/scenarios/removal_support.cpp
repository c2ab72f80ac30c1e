#include "removal_support.h"
#include <shlobj.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace removal {

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

constexpr char kAgree[] = "I agree with the terms and conditions";
constexpr char kMenuBox[] = "Create Start Menu Program Group";
constexpr char kIconBox[] = "Create Desktop Icon";
// The installation run, and the removal before a repair's, may take a while under Wine.
constexpr DWORD kRunMs = 90000;

std::string UserFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "(none)";
    return path;
}

// The box's button, pressed, and the box gone.
bool Answer(const MessageBoxWindow& box, const char* button) { return box.Press(button) && box.WaitGone(); }

}  // namespace

const std::vector<std::string>& TypicalFiles() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> v = {"Vaskel.exe",
                                      "vaskel.ini",
                                      "inittp.lib",
                                      "lib\\bcb\\class\\vaskelclass_bcb.lib",
                                      "lib\\bcb\\api\\vaskelapi_bcb.lib",
                                      "lib\\vcpp\\api\\vaskelapi_vc.lib",
                                      "vaskelclass\\vaskelclass.dll",
                                      "vaskelclass\\vaskelclass.h",
                                      "vaskelapi\\vaskelapi.dll",
                                      "vaskelapi\\vaskelapi.h",
                                      "Tutorial\\sin.txt",
                                      "VaskelSim.exe",
                                      "vaskelsim.ini",
                                      "Help\\vaskelhelp.chm"};
        for (int i = 1; i <= 7; ++i) v.push_back("Help\\step" + std::to_string(i) + ".swf");
        std::sort(v.begin(), v.end());
        return v;
    }();
    return files;
}

::testing::AssertionResult WaitForShortcutPage(const SetupSession& setup) {
    Window menu = setup.wizard.Child(Find{.text = kMenuBox, .visibleOnly = false});
    const bool back = WaitUntil(
        [&] {
            if (!MessageBoxes(setup.app.Id()).empty()) return true;
            return Settle(setup.wizard) && setup.wizard.Visible() && menu.Visible();
        },
        kRunMs, 100);
    std::vector<MessageBoxWindow> boxes = MessageBoxes(setup.app.Id());
    if (!boxes.empty()) return AssertionFailure() << "the run showed \"" << boxes.front().Message() << "\"";
    if (!back) return AssertionFailure() << "the wizard did not come back on the shortcut page";
    return AssertionSuccess();
}

bool Wizard::Press(const Window& control) const {
    return control && WaitUntil([&] { return control.Enabled(); }) && control.Click() && Settle(setup.wizard);
}

MessageBoxWindow Wizard::WaitBox(DWORD timeoutMs) const { return WaitMessageBox(setup.app.Id(), timeoutMs); }

bool Wizard::SetBox(const std::string& caption, bool checked) const {
    Window box = setup.wizard.Child(Find{.text = caption, .className = "Button"});
    if (!box) return false;
    return box.Checked() == checked || (Press(box) && WaitUntil([&] { return box.Checked() == checked; }));
}

AssertionResult Wizard::Start() {
    if (!setup.Start()) return AssertionFailure() << setup.Failure();
    back = setup.wizard.Child(Find{.text = "<< Back", .className = "Button"});
    cancel = setup.wizard.Child(Find{.text = "Cancel", .className = "Button"});
    next = setup.wizard.Child(Find{.text = "Next >>", .className = "Button"});
    if (!next) next = setup.wizard.Child(Find{.text = "Finish", .className = "Button"});
    if (!back || !next || !cancel) return AssertionFailure() << "the wizard's buttons are missing";
    return AssertionSuccess();
}

AssertionResult InstallByClicking(const InstallChoices& choices) {
    Wizard w;
    if (AssertionResult started = w.Start(); !started) return started;
    const SetupSession& s = w.setup;
    Window install = s.wizard.Child(Find{.text = "Install", .className = "Button"});
    if (!install || !install.Checked()) return AssertionFailure() << "Install is not selected: a record is left";
    if (!w.Press(w.next)) return AssertionFailure() << "Next on the first page";
    if (!w.SetBox(kAgree, true)) return AssertionFailure() << "cannot agree to the licence";
    if (!w.Press(w.next)) return AssertionFailure() << "Next on the licence page";
    Window edit = s.wizard.WaitChild(Find{.className = "Edit"});
    if (!edit) return AssertionFailure() << "no destination field";
    if (choices.location &&
        (!edit.ReplaceText(*choices.location) || !WaitUntil([&] { return edit.Text() == *choices.location; })))
        return AssertionFailure() << "cannot type the destination " << *choices.location;
    if (!w.Press(w.next)) return AssertionFailure() << "Next on the destination page";
    if (AssertionResult back = WaitForShortcutPage(s); !back) return back;
    if (!w.SetBox(kMenuBox, choices.menu) || !w.SetBox(kIconBox, choices.desktopIcon))
        return AssertionFailure() << "cannot set the shortcut choices";
    if (AssertionResult done = FinishFromShortcutPage(w); !done) return done;
    if (!choices.closeGroupWindow) w.setup.app.KeepStarted();
    if (choices.menu && choices.closeGroupWindow) {
        if (!WaitTop(Find{.text = "Vaskel"}, 10000)) return AssertionFailure() << "no group window after Finish";
        if (!CloseGroupWindow(0)) return AssertionFailure() << "the group window did not close";
    }
    return AssertionSuccess();
}

AssertionResult FinishFromShortcutPage(Wizard& w) {
    SetupSession& s = w.setup;
    if (!w.Press(w.next)) return AssertionFailure() << "Next on the shortcut page";
    if (!WaitUntil([&] { return w.next.Text() == "Finish"; })) return AssertionFailure() << "no read-me page";
    if (!w.next.Click()) return AssertionFailure() << "cannot press Finish";
    // Finish may report a shortcut it could not make; that is a failure here too.
    if (!s.app.WaitExit(20000)) {
        std::vector<MessageBoxWindow> boxes = MessageBoxes(s.app.Id());
        if (!boxes.empty()) return AssertionFailure() << "Finish showed \"" << boxes.front().Message() << "\"";
        return AssertionFailure() << "the program did not end after Finish";
    }
    if (s.app.ExitCode() != 0) return AssertionFailure() << "exit code " << s.app.ExitCode();
    return AssertionSuccess();
}

bool CloseGroupWindow(DWORD timeoutMs) {
    Window window = WaitTop(Find{.text = "Vaskel"}, timeoutMs);
    if (!window) return false;
    // The window's process started in the program's current directory, the
    // installation folder, and holds it until it ends.
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, window.ProcessId()));
    window.Post(WM_CLOSE);
    if (process) WaitForSingleObject(process.get(), 10000);
    return window.WaitGone();
}

AssertionResult StartRepair(Wizard& w) {
    if (AssertionResult started = w.Start(); !started) return started;
    Window modify = w.setup.wizard.Child(Find{.text = "Modify / Repair", .className = "Button"});
    if (!modify || !modify.Enabled()) return AssertionFailure() << "Modify / Repair is not offered: no record";
    if (!w.Press(modify) || !WaitUntil([&] { return modify.Checked(); }))
        return AssertionFailure() << "cannot select Modify / Repair";
    if (!w.Press(w.next)) return AssertionFailure() << "Next on the first page";
    Window sim = w.setup.wizard.WaitChild(Find{.text = "Vaskel Sim", .className = "Button"});
    if (!sim || w.next.Text() != "Finish") return AssertionFailure() << "not on the components page";
    return AssertionSuccess();
}

AssertionResult ConfirmAndFinish(Wizard& w, const char* question, const char* closing, RunSeen& seen) {
    const DWORD pid = w.setup.app.Id();
    MessageBoxWindow confirm = w.WaitBox();
    if (!confirm) return AssertionFailure() << "no confirmation";
    if (confirm.Message() != question) return AssertionFailure() << "asked \"" << confirm.Message() << "\"";
    if (!Answer(confirm, "&Yes")) return AssertionFailure() << "cannot answer Yes";
    for (;;) {
        MessageBoxWindow box = w.WaitBox(kRunMs);
        if (!box) return AssertionFailure() << "no closing message";
        const std::string text = box.Message();
        if (text.rfind(closing, 0) != 0) {
            seen.otherBoxes.push_back(text);
            if (!Answer(box, "OK")) return AssertionFailure() << "cannot answer \"" << text << "\"";
            if (seen.otherBoxes.size() > 5) return AssertionFailure() << "too many boxes";
            continue;
        }
        seen.closing = text;
        // The progress dialog stays shown behind the closing box.
        for (const Window& top : TopWindows(Find{.pid = pid})) {
            Window bar = top.Child(Find{.className = PROGRESS_CLASSA});
            DWORD_PTR position = 0;
            if (bar && bar.Send(PBM_GETPOS, 0, 0, &position)) {
                seen.dialogCaption = top.Text();
                seen.progress = static_cast<int>(position);
            }
        }
        if (!Answer(box, "OK")) return AssertionFailure() << "cannot answer the closing message";
        break;
    }
    seen.exited = w.setup.app.WaitExit(20000);
    if (seen.exited) seen.exitCode = w.setup.app.ExitCode();
    return AssertionSuccess();
}

AssertionResult UninstallByClicking(RunSeen& seen) {
    Wizard w;
    if (AssertionResult started = w.Start(); !started) return started;
    Window uninstall = w.setup.wizard.Child(Find{.text = "Uninstall", .className = "Button"});
    if (!uninstall || !uninstall.Checked()) return AssertionFailure() << "Uninstall is not offered: no record";
    if (!w.next.Click()) return AssertionFailure() << "cannot press Finish";
    return ConfirmAndFinish(w, kConfirmUninstall, kRemoved, seen);
}

const std::string& ProgramsFolder() {
    static const std::string path = UserFolder(CSIDL_PROGRAMS);
    return path;
}

const std::string& DesktopFolder() {
    static const std::string path = UserFolder(CSIDL_DESKTOPDIRECTORY);
    return path;
}

void CleanMachine(const std::vector<std::string>& alsoRemove) {
    while (CloseGroupWindow(0)) {}
    ForgetRecord();
    DeleteTree(kDefaultFolder);
    DeleteTree(GroupFolder());
    DeleteTree(DesktopLink());
    for (const std::string& path : alsoRemove) DeleteTree(path);
    SetCurrentDirectoryA("C:\\");
}

std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    for (const std::string& name : NamesIn(folder)) {
        const std::string path = folder + "\\" + name;
        if (!IsFolder(path)) {
            files.push_back(name);
            continue;
        }
        if (Attributes(path) & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        for (const std::string& inner : FilesBelow(path)) files.push_back(name + "\\" + inner);
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
    return f && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

std::optional<std::string> ReadBytes(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!f) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) bytes.append(buffer, n);
    return bytes;
}

}  // namespace removal
