#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <thread>

#include "Formwizard.h"
#include "Mainform.h"

namespace {

// Operates the folder-browse dialog from a second thread, as a user would.
class Picker {
public:
    explicit Picker(std::function<void(HWND dialog, HWND tree)> act)
        : thread_([this, act] {
              for (int i = 0; i < 200; ++i, Sleep(50)) {
                  HWND dialog = FindWindowA("#32770", "Browse for Folder");
                  HWND tree = dialog ? FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr) : nullptr;
                  if (!tree || !TreeView_GetRoot(tree)) continue;
                  owner = GetWindow(dialog, GW_OWNER);
                  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                      char text[128] = {};
                      if (GetWindowTextA(c, text, sizeof text) && std::string(text) == "Select Installation Folder...")
                          titled = true;
                  }
                  act(dialog, tree);
                  return;
              }
          }) {}
    ~Picker() { thread_.join(); }

    HWND owner = nullptr;
    bool titled = false;

private:
    std::thread thread_;
};

void Press(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::string& name) {
    TreeView_Expand(tree, parent, TVE_EXPAND);
    for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) {
        char text[MAX_PATH] = {};
        TVITEMA info{};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        if (SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)) && name == text) return item;
    }
    return nullptr;
}

void Choose(HWND dialog, HWND tree, HTREEITEM item) {
    if (item) TreeView_SelectItem(tree, item);
    Press(dialog, item ? IDOK : IDCANCEL);
}

std::string Desktop() {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path);
    return path;
}

class FolderPicker : public ::testing::Test {
protected:
    void SetUp() override { Wizard->EditLocation->SetText("D:\\Before"); }
};

TEST_F(FolderPicker, CancelLeavesTheTextAndTheDialogBelongsToTheApplicationWindow) {
    HWND owner = nullptr;
    bool titled = false;
    {
        Picker user([](HWND dialog, HWND) { Press(dialog, IDCANCEL); });
        Wizard->ButtonSelectClick();
        owner = user.owner;
        titled = user.titled;
    }
    EXPECT_EQ(owner, MainWindow->Handle());
    EXPECT_TRUE(titled);
    EXPECT_EQ(Wizard->EditLocation->Text(), "D:\\Before");
}

TEST_F(FolderPicker, AChosenFolderGetsVaskelAppended) {
    {
        Picker user([](HWND dialog, HWND tree) { Choose(dialog, tree, TreeView_GetRoot(tree)); });
        Wizard->ButtonSelectClick();
    }
    ASSERT_NE(Desktop(), "");
    EXPECT_EQ(Wizard->EditLocation->Text(), Desktop() + "\\Vaskel");
}

TEST_F(FolderPicker, AnItemWithoutAFolderPathLeavesTheText) {
    bool found = false;
    {
        Picker user([&](HWND dialog, HWND tree) {
            HTREEITEM computer = ChildNamed(tree, TreeView_GetRoot(tree), "My Computer");
            found = computer != nullptr;
            Choose(dialog, tree, computer);
        });
        Wizard->ButtonSelectClick();
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(Wizard->EditLocation->Text(), "D:\\Before");
}

}  // namespace
