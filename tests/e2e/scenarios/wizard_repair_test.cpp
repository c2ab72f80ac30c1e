// With an installation recorded: Uninstall or Modify / Repair, the recorded
// choices loaded on the way to the components, every question answered No
// leaving the record as it was, and a close after the load writing it back.
#include "wizard_pages.h"
#include <shlobj.h>

using namespace wiz;

namespace {

// The shortcut choices are the opposite of the defaults, the folder is not the
// default; two values carry bytes after a NUL, which end their text.
const RecordValues kPlanted = {{"Version", "1.1"},
                               {"Components", std::string("13\0"
                                                          "5",
                                                          4)},
                               {"BaseFolder", "C:\\Tools\\Vaskel Old"},
                               {"Menu", "0"},
                               {"Icon", std::string("1\0x", 3)}};

class RepairPath : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ForgetRecord());
        ASSERT_TRUE(PlantRecord(kPlanted));
        ASSERT_TRUE(ui.Start()) << ui.Failure();
    }
    void TearDown() override {
        if (ui.setup.app.Running() && ui.cancel.Enabled()) {
            EXPECT_TRUE(ui.setup.CancelAndExit()) << ui.setup.Failure();
        }
    }
    // The question comes up, No is pressed, and nothing has changed.
    void AnswerNo(const char* question, bool viaClose) {
        SCOPED_TRACE(question);
        const Snapshot before = ui.Snap();
        ASSERT_TRUE(viaClose ? ui.ClickCloseBox() : ui.Press(ui.next));
        MessageBoxWindow box = ui.WaitBox();
        ASSERT_TRUE(box) << "no question";
        EXPECT_EQ(box.Caption(), "Confirm");
        EXPECT_EQ(box.Message(), question);
        EXPECT_EQ(box.Icon(), BoxIcon::Question);
        ASSERT_TRUE(box.Press("&No"));
        ASSERT_TRUE(box.WaitGone());
        Settle(ui.setup.wizard);
        const Snapshot after = ui.Snap();
        EXPECT_EQ(after, before) << Differences(before, after);
        EXPECT_EQ(ReadRecord(), kPlanted);
    }
    WizardUi ui;
};

TEST_F(RepairPath, OffersUninstallAndRepairAndLoadsTheRecordedChoices) {
    EXPECT_TRUE(ui.Shows({Page::Init, kFinish, true, true, true}));
    EXPECT_FALSE(ui.install.Enabled());
    EXPECT_FALSE(ui.install.Checked());
    EXPECT_FALSE(ui.staticInstall.Enabled());
    EXPECT_TRUE(ui.uninstall.Enabled() && ui.uninstall.Checked());
    EXPECT_TRUE(ui.modify.Enabled());
    EXPECT_FALSE(ui.modify.Checked());
    EXPECT_TRUE(ui.staticUninstall.Enabled() && ui.staticModify.Enabled());
    SaveScreenshot("repair-first-page");
    AnswerNo(kConfirmUninstall, false);

    // The caption follows the chosen action, whichever way round.
    ASSERT_TRUE(ui.Press(ui.modify));
    EXPECT_TRUE(ui.Shows({Page::Init, kNext, true, true, true}));
    ASSERT_TRUE(ui.Press(ui.uninstall));
    EXPECT_TRUE(ui.Shows({Page::Init, kFinish, true, true, true}));
    ASSERT_TRUE(ui.Press(ui.modify));
    EXPECT_TRUE(ui.Shows({Page::Init, kNext, true, true, true}));
    // Before the record is loaded a close would overwrite it with defaults.
    AnswerNo(kCancelQuestion, true);

    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Components, kFinish, true, true, true}));
    EXPECT_EQ(ui.location.Text(), "C:\\Tools\\Vaskel Old");
    EXPECT_FALSE(ui.menu.Checked());
    EXPECT_TRUE(ui.desktopIcon.Checked());
    // The component boxes are not taken from the record.
    for (const Window* w : {&ui.vaskel, &ui.sim, &ui.docEn, &ui.animate}) EXPECT_TRUE(w->Checked()) << w->Text();
    EXPECT_FALSE(ui.docPt.Checked());
    AnswerNo(kConfirmRepair, false);

    // Back reaches the licence page, Next usable and still "Finish".
    ASSERT_TRUE(ui.Press(ui.back));
    EXPECT_TRUE(ui.Shows({Page::License, kFinish, true, true, true}));
    EXPECT_FALSE(ui.agree.Checked());

    // A close once the record was loaded writes it back as loaded, and its
    // shortcuts, without repairing anything and without a question.
    ASSERT_TRUE(ui.AltF4());
    ASSERT_TRUE(ui.setup.app.WaitExit(10000)) << "the close asked: " << ui.WaitBox(0).Message();
    EXPECT_EQ(ui.setup.app.ExitCode(), 0u);
    EXPECT_EQ(ReadRecord(), (RecordValues{{"Version", "1.1"},
                                          {"Components", "13"},
                                          {"BaseFolder", "C:\\Tools\\Vaskel Old"},
                                          {"Menu", "0"},
                                          {"Icon", "1"}}));
    char desktop[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)));
    ShortcutFacts link;
    std::string why;
    EXPECT_TRUE(ReadShortcut(std::string(desktop) + "\\Vaskel.lnk", link, &why)) << why;
    EXPECT_EQ(link.localPath, "C:\\Tools\\Vaskel Old\\Vaskel.exe");
}

}  // namespace
