#include "finish_road.h"
#include <shlobj.h>
#include <algorithm>

namespace finish {

namespace {

std::string UserFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "(none)";
    return path;
}

// A plain, writable folder at the path, whatever stood there before.
void RestoreFolder(const std::string& path) {
    if (!IsFolder(path)) DeleteTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace

bool ShellHasPath(int csidl) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) return false;
    char path[MAX_PATH] = "";
    const bool found = SHGetPathFromIDListA(list, path);
    CoTaskMemFree(list);
    return found;
}

const std::string& ProgramsFolder() {
    static const std::string path = UserFolder(CSIDL_PROGRAMS);
    return path;
}

const std::string& DesktopFolder() {
    static const std::string path = UserFolder(CSIDL_DESKTOPDIRECTORY);
    return path;
}

bool Road::Fail(const std::string& why) {
    failure_ = why;
    return false;
}

bool Road::Press(const Find& query) {
    Window control = setup.wizard.WaitChild(query);
    return control && WaitUntil([&] { return control.Enabled(); }) && control.Click();
}

bool Road::Walk(const Choices& choices) {
    if (!setup.Start()) return Fail(setup.Failure());
    const Find next{.text = "Next >>", .className = "Button"};
    if (!Press(next)) return Fail("no Next on the first page");
    Window agree = setup.wizard.WaitChild(Find{.text = "I agree with the terms and conditions"});
    if (!agree || !agree.Click() || !WaitUntil([&] { return agree.Checked(); })) return Fail("cannot agree");
    if (!Press(next)) return Fail("Next stayed disabled after agreeing");

    Window custom =
        setup.wizard.WaitChild(Find{.text = "Custom (Let you choose the components to install)     Size: 2.0 - 4.2MB"});
    if (!custom) return Fail("no mode page");
    if (choices.location) {
        Window edit = setup.wizard.Child(Find{.className = "Edit"});
        if (!edit || !edit.ReplaceText(*choices.location) ||
            !WaitUntil([&] { return edit.Text() == *choices.location; }))
            return Fail("cannot type the destination");
    }
    if (choices.custom) {
        if (!custom.Click() || !WaitUntil([&] { return custom.Checked(); })) return Fail("cannot choose Custom");
        if (!Press(next)) return Fail("no Next on the mode page");
        const std::pair<const char*, bool> boxes[] = {
            {"Vaskel Sim", choices.sim},
            {"Help Documentation and Tutorials in English", choices.docEn},
            {"Help Documentation and Tutorials in Portuguese", choices.docPt},
            {"Interactive Animated Help                                                            Size:",
             choices.animate},
        };
        for (const auto& [caption, wanted] : boxes) {
            Window box = setup.wizard.WaitChild(Find{.text = caption, .className = "Button"});
            if (!box) return Fail(std::string("no component box ") + caption);
            if (box.Checked() != wanted && (!box.Click() || !WaitUntil([&] { return box.Checked() == wanted; })))
                return Fail(std::string("cannot set ") + caption);
        }
    }
    if (!Press(next)) return Fail("no Next before the installation run");

    // The installation run comes first; the shortcut page follows it.
    Window menu = setup.wizard.WaitChild(Find{.text = "Create Start Menu Program Group"}, 90000);
    Window icon = setup.wizard.WaitChild(Find{.text = "Create Desktop Icon"});
    if (!menu || !icon) return Fail("no shortcut page after the run");
    for (auto [box, wanted] : {std::pair{menu, choices.menu}, std::pair{icon, choices.desktopIcon}})
        if (box.Checked() != wanted && (!box.Click() || !WaitUntil([&] { return box.Checked() == wanted; })))
            return Fail("cannot set " + box.Text());
    if (choices.end == Choices::End::CloseBoxOnShortcuts)
        return setup.wizard.SystemClose() || Fail("close box refused");
    if (!Press(next)) return Fail("no Next on the shortcut page");
    if (!setup.wizard.WaitChild(Find{.text = "Finish", .className = "Button"}))
        return Fail("no Finish on the read-me page");
    if (choices.end == Choices::End::CloseBoxOnReadme) return setup.wizard.SystemClose() || Fail("close box refused");
    return Press(Find{.text = "Finish", .className = "Button"}) || Fail("cannot press Finish");
}

bool Road::Ended(DWORD timeoutMs) {
    if (!setup.app.WaitExit(timeoutMs)) return Fail("the program did not end");
    if (setup.app.ExitCode() != 0) return Fail("exit code " + std::to_string(setup.app.ExitCode()));
    return true;
}

void CleanMachine() {
    ForgetRecord();
    DeleteTree("C:\\Vaskel");
    RestoreFolder(ProgramsFolder());
    RestoreFolder(DesktopFolder());
    DeleteTree(GroupFolder());
    DeleteTree(DesktopFolder() + "\\Vaskel.lnk");
}

std::optional<StoredValue> RecordValue(const char* name) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, 0, KEY_READ | KEY_WOW64_32KEY, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    StoredValue value;
    char data[1024];
    DWORD size = sizeof data;
    const LONG status = RegQueryValueExA(key.get(), name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size);
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.bytes.assign(data, size);
    return value;
}

::testing::AssertionResult HoldsText(const char* name, const std::string& expected) {
    std::optional<StoredValue> value = RecordValue(name);
    if (!value) return ::testing::AssertionFailure() << name << " is missing";
    if (value->type != REG_SZ) return ::testing::AssertionFailure() << name << " has type " << value->type;
    if (value->bytes != expected && value->bytes != expected + '\0')
        return ::testing::AssertionFailure()
               << name << " holds \"" << value->bytes << "\" (" << value->bytes.size() << " bytes)";
    return ::testing::AssertionSuccess();
}

bool MakeFile(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, "x", 1, &written, nullptr);
    CloseHandle(f);
    return true;
}

::testing::AssertionResult IsLink(const std::string& file, const std::string& target, const std::string& description) {
    ShortcutFacts facts;
    std::string failure;
    if (!ReadShortcut(file, facts, &failure)) return ::testing::AssertionFailure() << failure;
    if (facts.localPath != target || facts.description != description || facts.showCommand != SW_SHOW)
        return ::testing::AssertionFailure() << file << ": target \"" << facts.localPath << "\", description \""
                                             << facts.description << "\", show " << facts.showCommand;
    return ::testing::AssertionSuccess();
}

Window WaitGroupWindow(DWORD timeoutMs) { return WaitTop(Find{.text = "Vaskel"}, timeoutMs); }

}  // namespace finish
