#include "host/ComPtr.h"
#include "host/Shell.h"
#include "Files.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <thread>

namespace {

using files::IsFolder;

TEST(SpecialFolder, ProgramsAndDesktopAreExistingFoldersWithoutTrailingBackslash) {
    for (int csidl : {CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY}) {
        std::optional<std::string> path = host::SpecialFolderPath(nullptr, csidl);
        ASSERT_TRUE(path) << csidl;
        EXPECT_TRUE(IsFolder(*path)) << *path;
        EXPECT_NE(path->back(), '\\') << *path;
        EXPECT_EQ(path->rfind("C:\\users\\", 0), 0u) << *path;  // inside the test prefix
    }
    EXPECT_NE(host::SpecialFolderPath(nullptr, CSIDL_PROGRAMS)->find("Programs"), std::string::npos);
}

TEST(SpecialFolder, AFolderWithoutFileSystemPathOrAnUnknownOneGivesNoPath) {
    EXPECT_EQ(host::SpecialFolderPath(nullptr, CSIDL_DRIVES), std::nullopt);
    EXPECT_EQ(host::SpecialFolderPath(nullptr, 0x7e), std::nullopt);
}

// Operates the folder-browse dialog from a second thread, as a user would.
class BrowseDriver {
public:
    explicit BrowseDriver(std::function<void(HWND dialog, HWND tree)> act)
        : thread_([this, act] {
              for (int i = 0; i < 200; ++i, Sleep(50)) {
                  dialog = FindWindowA("#32770", "Browse for Folder");
                  HWND tree = dialog ? FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr) : nullptr;
                  if (tree && TreeView_GetRoot(tree)) {
                      owner = GetWindow(dialog, GW_OWNER);
                      char text[128] = {};
                      for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                          if (GetWindowTextA(c, text, sizeof text) && title.empty() &&
                              std::string(text).find("Select") == 0)
                              title = text;
                      act(dialog, tree);
                      return;
                  }
              }
          }) {}
    ~BrowseDriver() { thread_.join(); }

    HWND dialog = nullptr;
    HWND owner = nullptr;
    std::string title;

private:
    std::thread thread_;
};

void Press(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::string& name) {
    TreeView_Expand(tree, parent, TVE_EXPAND);
    for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) {
        char text[MAX_PATH] = {};
        TVITEMA info = {};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        if (SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)) && name == text) return item;
    }
    return nullptr;
}

struct OwnerWindow {
    HWND hwnd = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ~OwnerWindow() { DestroyWindow(hwnd); }
};

TEST(FolderPicker, CancelGivesNoChoiceAndTheDialogIsOwnedAndTitled) {
    OwnerWindow owner;
    host::FolderPick pick{host::FolderChoice::Chosen, "deadbeef"};
    {
        BrowseDriver driver([](HWND dialog, HWND) { Press(dialog, IDCANCEL); });
        pick = host::BrowseForFolder(owner.hwnd, "Select Installation Folder...");
        ASSERT_NE(driver.dialog, nullptr);
        EXPECT_EQ(driver.owner, owner.hwnd);
        EXPECT_EQ(driver.title, "Select Installation Folder...");
    }
    EXPECT_EQ(pick.choice, host::FolderChoice::Cancelled);
    EXPECT_EQ(pick.path, "");
}

TEST(FolderPicker, ChosenItemGivesItsPathOrSaysItHasNone) {
    host::FolderPick desktop, computer;
    {
        BrowseDriver driver([](HWND dialog, HWND tree) {
            TreeView_SelectItem(tree, TreeView_GetRoot(tree));
            Press(dialog, IDOK);
        });
        desktop = host::BrowseForFolder(nullptr, "Select");
    }
    EXPECT_EQ(desktop.choice, host::FolderChoice::Chosen);
    EXPECT_EQ(desktop.path, host::SpecialFolderPath(nullptr, CSIDL_DESKTOPDIRECTORY).value_or("?"));
    {
        BrowseDriver driver([](HWND dialog, HWND tree) {
            HTREEITEM item = ChildNamed(tree, TreeView_GetRoot(tree), "My Computer");
            if (item) TreeView_SelectItem(tree, item);
            Press(dialog, item ? IDOK : IDCANCEL);
        });
        computer = host::BrowseForFolder(nullptr, "Select");
    }
    EXPECT_EQ(computer.choice, host::FolderChoice::ChosenWithoutPath);
    EXPECT_EQ(computer.path, "");
}

std::string ScratchFolder(const char* name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

struct LinkContents {
    std::string path = "deadbeef", description = "deadbeef";
    DWORD showCommand = 0xdeadbeef;
};

LinkContents ReadLink(const std::string& file) {
    LinkContents contents;
    host::ComApartment apartment;
    host::ComPtr<IShellLinkA> link;
    host::ComPtr<IPersistFile> persist;
    std::wstring wide(file.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char text[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, persist.put_void())) &&
        SUCCEEDED(persist->Load(wide.c_str(), STGM_READ))) {
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        contents.path = text;
        link->GetDescription(text, MAX_PATH);
        contents.description = text;
    }
    // Taken from the file itself: the show command field of the link header.
    if (FILE* f = std::fopen(file.c_str(), "rb")) {
        if (std::fseek(f, 0x3C, SEEK_SET) != 0 || std::fread(&contents.showCommand, 4, 1, f) != 1)
            contents.showCommand = 0xdeadbeef;
        std::fclose(f);
    }
    return contents;
}

TEST(ShellLink, SavesTargetDescriptionAndShowCommandUnderAnAnsiName) {
    const std::string file = ScratchFolder("VaskelLinkTest") + "\\Ajuda em Portugu\xEAs \xE7.lnk";
    DeleteFileA(file.c_str());
    ASSERT_TRUE(host::WriteShellLink("C:\\windows\\notepad.exe", file, "Vaskel - Neural Networks", SW_SHOW));
    LinkContents contents = ReadLink(file);
    EXPECT_EQ(contents.path, "C:\\windows\\notepad.exe");
    EXPECT_EQ(contents.description, "Vaskel - Neural Networks");
    EXPECT_EQ(contents.showCommand, 5u);
    EXPECT_TRUE(DeleteFileA(file.c_str()));
}

TEST(ShellLink, ASaveThatCannotWriteIsReported) {
    const std::string file = ScratchFolder("VaskelLinkTest") + "\\missing\\x.lnk";
    EXPECT_FALSE(host::WriteShellLink("C:\\windows\\notepad.exe", file, "", 5));
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FolderWindow, OpensAnExistingFolderAndRefusesAMissingOne) {
    const std::string folder = ScratchFolder("VaskelOpenTest");
    EXPECT_GT(host::OpenFolderWindow(nullptr, folder), 32);
    HWND window = nullptr;
    for (int i = 0; i < 200 && !window; ++i, Sleep(50)) window = FindWindowA(nullptr, "VaskelOpenTest");
    ASSERT_TRUE(window) << "no window for the folder";
    // Closed, and its process gone, so that nothing of the test lives on.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const std::unique_ptr<void, decltype(&CloseHandle)> process(OpenProcess(SYNCHRONIZE, FALSE, pid), &CloseHandle);
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
    }
    EXPECT_EQ(host::OpenFolderWindow(nullptr, folder + "\\missing"), SE_ERR_FNF);
}

}  // namespace
