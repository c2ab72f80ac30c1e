// Proves the driver against the fixture program: every way a scenario reaches
// a program under test, each checked through an effect the program shows.
#include <gtest/gtest.h>
#include <shlobj.h>
#include "e2e.h"

using namespace e2e;

namespace {

class Driver : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.Start(SetupExe())) << "CreateProcess error " << app.Error();
        main = WaitTop(Find{.text = "E2E Fixture", .pid = app.Id()});
        ASSERT_TRUE(main) << "no fixture window";
    }
    Window Control(const std::string& text) const { return main.WaitChild(Find{.text = text}); }
    bool StatusIs(const std::string& text) const {
        Window status = main.Child(Find{.id = 105});
        return WaitUntil([&] { return status.Text() == text; }, 3000);
    }
    AppProcess app;
    Window main;
};

TEST_F(Driver, FindsWindowsAndControlsByTitleClassTextAndId) {
    EXPECT_EQ(main.ClassName(), "E2EFixture");
    EXPECT_TRUE(FindTop(Find{.className = "E2EFixture", .pid = app.Id()}));
    EXPECT_FALSE(FindTop(Find{.text = "E2E Fixture", .pid = app.Id() + 4}));
    Window push = Control("Push");
    ASSERT_TRUE(push);
    EXPECT_EQ(push.Id(), 101);
    EXPECT_EQ(push.Text(), "&Push");
    EXPECT_EQ(main.Child(Find{.className = "Edit"}).Id(), 102);
    EXPECT_EQ(main.Child(Find{.className = "Button", .id = 103}).Text(), "Tick");
    EXPECT_FALSE(main.Child(Find{.text = "Tick", .className = "Edit"}));
}

TEST_F(Driver, ReadsStatesAndRectangles) {
    Window quit = Control("Quit 7"), tick = Control("Tick");
    EXPECT_TRUE(quit.Visible());
    EXPECT_FALSE(quit.Enabled());
    EXPECT_EQ(tick.CheckState(), BST_UNCHECKED);
    RECT outer = main.Rect(), inner = main.ClientRect();
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.right - outer.left, 320);
    EXPECT_EQ(outer.bottom - outer.top, 240);
    EXPECT_GT(inner.top, outer.top) << "no title bar drawn";
    EXPECT_LE(inner.right, outer.right);
    RECT push = Control("Push").Rect();
    EXPECT_EQ(push.left - inner.left, 10);
    EXPECT_EQ(push.right - push.left, 80);
}

TEST_F(Driver, ClicksButtonsAndCheckBoxes) {
    ASSERT_TRUE(Control("Push").Click());
    EXPECT_TRUE(StatusIs("pushed 1"));
    Window quit = Control("Quit 7");
    EXPECT_TRUE(WaitUntil([&] { return quit.Enabled(); }));
    Window tick = Control("Tick");
    tick.Click();
    EXPECT_TRUE(WaitUntil([&] { return tick.Checked(); }));
    tick.Click();
    EXPECT_TRUE(WaitUntil([&] { return tick.CheckState() == BST_UNCHECKED; }));
    quit.Click();
    ASSERT_TRUE(app.WaitExit(5000));
    EXPECT_EQ(app.ExitCode(), 7u);
}

TEST_F(Driver, ReadsAndTypesIntoEdits) {
    Window edit = main.Child(Find{.className = "Edit"});
    EXPECT_EQ(edit.Text(), "start");
    ASSERT_TRUE(edit.ReplaceText("C:\\Other place"));
    EXPECT_TRUE(WaitUntil([&] { return edit.Text() == "C:\\Other place"; })) << edit.Text();
    edit.Type("!");
    EXPECT_TRUE(WaitUntil([&] { return edit.Text() == "C:\\Other place!"; })) << edit.Text();
    ASSERT_TRUE(edit.SetText("set"));
    EXPECT_EQ(edit.Text(), "set");
}

TEST_F(Driver, SendsKeysWithModifiers) {
    Window push = Control("Push"), edit = main.Child(Find{.className = "Edit"});
    ASSERT_TRUE(main.Activate());
    ASSERT_TRUE(PressKey(main, VK_TAB));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main).handle() != nullptr; }));
    Window before = FocusOf(main);
    ASSERT_TRUE(PressKey(main, VK_TAB));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main).handle() != before.handle(); })) << "Tab did not move the focus";
    ASSERT_TRUE(PressKey(main, VK_TAB, {VK_CONTROL}));
    EXPECT_TRUE(StatusIs("ctrl+tab")) << "the modifier was lost";
    ASSERT_TRUE(PressKey(main, VK_F4, {VK_MENU}));
    ASSERT_TRUE(app.WaitExit(5000)) << "Alt+F4 did not close the window";
    EXPECT_EQ(app.ExitCode(), 3u);
    (void)push;
    (void)edit;
}

TEST_F(Driver, AnswersMessageBoxes) {
    Control("Ask").Click();
    MessageBoxWindow box = WaitMessageBox(app.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box.Caption(), "Fixture Question");
    EXPECT_EQ(box.Message(), "Do you agree?");
    EXPECT_EQ(box.Icon(), BoxIcon::Question);
    EXPECT_EQ(box.Buttons(), (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(box.DefaultButton(), "&Yes");
    EXPECT_TRUE(SaveScreenshot("fixture-question"));
    ASSERT_TRUE(box.Press("No"));
    EXPECT_TRUE(box.WaitGone());
    MessageBoxWindow stop;
    ASSERT_TRUE(WaitUntil([&] {
        stop = WaitMessageBox(app.Id(), 100);
        return stop && stop.Caption() == "Fixture Stop";
    }));
    EXPECT_EQ(stop.Icon(), BoxIcon::Stop);
    EXPECT_EQ(stop.Buttons(), (std::vector<std::string>{"OK"}));
    ASSERT_TRUE(stop.PressId(IDOK));
    EXPECT_TRUE(StatusIs("no"));
    EXPECT_TRUE(MessageBoxes(app.Id()).empty());
}

TEST_F(Driver, ReadsScreenPixels) {
    RECT c = main.ClientRect();
    ASSERT_TRUE(WaitUntil([&] {
        return ScreenPixel(c.left + 15, c.top + 155) == Rgb{200, 100, 50};
    })) << ScreenPixel(c.left + 15, c.top + 155);
    EXPECT_EQ(ScreenPixel(c.left + 5, c.top + 140), (Rgb{12, 34, 56}));
    EXPECT_EQ(ScreenPixel(c.left + 30, c.top + 155), (Rgb{12, 34, 56})) << "square is 20 wide";
    Capture all;
    ASSERT_TRUE(all.GrabScreen());
    EXPECT_EQ(all.Width(), 800);
    EXPECT_EQ(all.Height(), 600);
    EXPECT_EQ(all.At(c.left + 29, c.top + 169), (Rgb{200, 100, 50}));
    EXPECT_TRUE(SaveScreenshot("fixture"));
}

// Each round's folder window is a grandchild of the driver, left open when the
// session ends. Ended by force, it would stay in Wine's list of open folders
// and the next round's window would never come.
TEST(Process, WhatTheProgramStartedIsClosedSoItsFolderOpensAgain) {
    const std::string folder = WorkFolder() + "\\Group";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    for (int round = 0; round < 2; ++round) {
        {
            AppProcess starter;
            ASSERT_TRUE(starter.Start("C:\\windows\\system32\\cmd.exe", "/c explorer.exe \"" + folder + "\""));
            ASSERT_TRUE(WaitTop(Find{.text = "Group"}, 10000)) << "round " << round;
        }
        EXPECT_FALSE(FindTop(Find{.text = "Group"})) << "round " << round;
    }
    DeleteTree(folder);
}

TEST(Linux, RunsLinuxCommandsAndReadsTheirOutput) {
    LinuxResult r;
    ASSERT_TRUE(RunLinux("echo one; echo two >&2; exit 3", r));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output, "one\ntwo\n");
    const std::string work = UnixPath(WorkFolder());
    ASSERT_FALSE(work.empty());
    ASSERT_TRUE(RunLinux("test -d " + ShellQuote(work) + " && lnkinfo -V | head -1", r));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output.rfind("lnkinfo ", 0), 0u) << r.output;
}

// A COM owner for the link this test writes itself.
template <class T>
struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
};

bool WriteLink(const std::string& path) {
    Com<IShellLinkA> link;
    Com<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
        return false;
    link.p->SetPath("C:\\windows\\notepad.exe");
    link.p->SetDescription("Ajuda em portugu\xEAs");
    link.p->SetWorkingDirectory("C:\\windows");
    link.p->SetIconLocation("C:\\windows\\notepad.exe", 2);
    link.p->SetShowCmd(SW_SHOWMINNOACTIVE);
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return false;
    std::wstring wide(path.begin(), path.end());
    return SUCCEEDED(file.p->Save(wide.c_str(), TRUE));
}

TEST(Linux, ReadsShortcutsThroughLnkinfo) {
    ASSERT_EQ(GetACP(), 1252u) << "texts of the program are Windows-1252";
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::string path = WorkFolder() + "\\probe.lnk";
    ASSERT_TRUE(WriteLink(path));
    ShortcutFacts facts;
    std::string why;
    ASSERT_TRUE(ReadShortcut(path, facts, &why)) << why;
    EXPECT_EQ(facts.localPath, "C:\\windows\\notepad.exe");
    EXPECT_EQ(facts.description, "Ajuda em portugu\xEAs");
    EXPECT_EQ(facts.workingDirectory, "C:\\windows");
    EXPECT_EQ(facts.iconLocation, "C:\\windows\\notepad.exe");
    EXPECT_EQ(facts.iconIndex, 2);
    EXPECT_EQ(facts.showCommand, DWORD(SW_SHOWMINNOACTIVE));
    EXPECT_FALSE(ReadShortcut(WorkFolder() + "\\missing.lnk", facts, &why));
    CoUninitialize();
}

}  // namespace
