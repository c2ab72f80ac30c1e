// "Choose..." on the destination page: the shell's folder picker, operated in
// the program's own process through the tree's messages.
#include "install_steps.h"

#include <commctrl.h>

using namespace e2e;
using namespace install;

namespace {

class Picker {
public:
    Picker(DWORD pid, Window dialog) : dialog_(dialog), buffer_(pid, 4096) {
        tree_ = dialog.WaitChild(Find{.className = "SysTreeView32"});
    }
    explicit operator bool() const { return dialog_ && tree_; }

    std::string TextOf(HTREEITEM item) const {
        TVITEMA info{};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = buffer_.at() + sizeof info;
        info.cchTextMax = 1024;
        DWORD_PTR ok = 0;
        if (!buffer_.Write(&info, sizeof info) ||
            !tree_.Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer_.at()), &ok) || !ok)
            return {};
        char text[1024] = {};
        buffer_.Read(text, sizeof text - 1, sizeof info);
        return text;
    }
    HTREEITEM Item(UINT relation, HTREEITEM from) const {
        DWORD_PTR item = 0;
        tree_.Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from), &item);
        return reinterpret_cast<HTREEITEM>(item);
    }
    // The child of parent whose text contains part.
    HTREEITEM Child(HTREEITEM parent, const std::string& part) const {
        DWORD_PTR ignored = 0;
        tree_.Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent), &ignored);
        for (HTREEITEM i = Item(TVGN_CHILD, parent); i; i = Item(TVGN_NEXT, i))
            if (TextOf(i).find(part) != std::string::npos) return i;
        return nullptr;
    }
    HTREEITEM Root() const { return Item(TVGN_ROOT, nullptr); }
    bool Choose(HTREEITEM item) const {
        DWORD_PTR ignored = 0;
        return item && tree_.Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item), &ignored) && Press(IDOK);
    }
    bool Press(int id) const {
        Window button = dialog_.Child(Find{.id = id});
        return button.Click() && dialog_.WaitGone();
    }
    Window dialog() const { return dialog_; }

private:
    Window dialog_, tree_;
    RemoteBuffer buffer_;
};

class Choose : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(setup.Start()) << setup.Failure();
        ASSERT_TRUE(walk.ToDestination()) << walk.Failure();
    }
    void TearDown() override {
        if (setup.app.Running()) {
            EXPECT_TRUE(setup.CancelAndExit()) << setup.Failure();
        }
    }
    Window OpenPicker() {
        if (!walk.Button("Choose...").Click()) return {};
        return WaitTop(Find{.text = "Browse for Folder", .className = "#32770", .pid = setup.app.Id()});
    }
    SetupSession setup;
    Walk walk{setup};
};

TEST_F(Choose, CancelLeavesTheDestination) {
    ASSERT_TRUE(walk.Type("C:\\Typed\\Here")) << walk.Failure();
    Window dialog = OpenPicker();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog.Child(Find{.text = "Select Installation Folder..."}).Exists());
    EXPECT_EQ(dialog.Owner().handle(), setup.backdrop.handle());
    SaveScreenshot("picker");
    Picker picker(setup.app.Id(), dialog);
    ASSERT_TRUE(picker);
    ASSERT_TRUE(picker.Press(IDCANCEL));
    Sleep(200);
    EXPECT_EQ(walk.Location().Text(), "C:\\Typed\\Here");
}

TEST_F(Choose, AFolderGetsVaskelAppended) {
    ASSERT_TRUE(CreateDirectoryA("C:\\Apps", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    Picker picker(setup.app.Id(), OpenPicker());
    ASSERT_TRUE(picker);
    HTREEITEM computer = picker.Child(picker.Root(), "My Computer");
    HTREEITEM drive = computer ? picker.Child(computer, "C:") : nullptr;
    HTREEITEM apps = drive ? picker.Child(drive, "Apps") : nullptr;
    ASSERT_TRUE(apps) << "no C:\\Apps in the tree";
    ASSERT_TRUE(picker.Choose(apps));
    EXPECT_TRUE(WaitUntil([&] { return walk.Location().Text() == "C:\\Apps\\Vaskel"; })) << walk.Location().Text();
}

TEST_F(Choose, ADriveRootGetsOneBackslashAndVaskel) {
    Picker picker(setup.app.Id(), OpenPicker());
    ASSERT_TRUE(picker);
    HTREEITEM computer = picker.Child(picker.Root(), "My Computer");
    HTREEITEM drive = computer ? picker.Child(computer, "C:") : nullptr;
    ASSERT_TRUE(drive) << "no drive C: in the tree";
    ASSERT_TRUE(picker.Choose(drive));
    EXPECT_TRUE(WaitUntil([&] { return walk.Location().Text() == "C:\\Vaskel"; })) << walk.Location().Text();
}

TEST_F(Choose, AVirtualFolderLeavesTheDestination) {
    ASSERT_TRUE(walk.Type("C:\\Kept")) << walk.Failure();
    Picker picker(setup.app.Id(), OpenPicker());
    ASSERT_TRUE(picker);
    HTREEITEM computer = picker.Child(picker.Root(), "My Computer");
    ASSERT_TRUE(computer);
    ASSERT_TRUE(picker.Choose(computer));
    Sleep(300);
    EXPECT_EQ(walk.Location().Text(), "C:\\Kept");
    EXPECT_TRUE(setup.app.Running());
}

}  // namespace
