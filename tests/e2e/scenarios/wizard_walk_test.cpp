// The installation path walked as a user walks it, page by page, with the
// buttons' captions and states and the boxes' checks read at every step.
#include "wizard_pages.h"

using namespace wiz;

namespace {

class InstallPath : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ForgetRecord());
        ASSERT_TRUE(ui.Start()) << ui.Failure();
    }
    void TearDown() override {
        if (ui.setup.app.Running() && ui.cancel.Enabled()) {
            EXPECT_TRUE(ui.setup.CancelAndExit()) << ui.setup.Failure();
        }
    }
    // Finish on the read-me page ends the program without a question.
    void FinishAndExit() {
        ASSERT_TRUE(ui.next.Click());
        ASSERT_TRUE(ui.setup.app.WaitExit(10000)) << "Finish did not end the program";
        EXPECT_EQ(ui.setup.app.ExitCode(), 0u);
        EXPECT_TRUE(MessageBoxes(ui.setup.app.Id()).empty());
    }
    WizardUi ui;
};

TEST_F(InstallPath, TypicalSkipsTheComponentPage) {
    // Nothing recorded: only Install is offered.
    EXPECT_TRUE(ui.Shows({Page::Init, kNext, true, true, true}));
    EXPECT_TRUE(ui.install.Enabled() && ui.install.Checked());
    EXPECT_TRUE(ui.staticInstall.Enabled());
    for (const Window* w : {&ui.uninstall, &ui.modify}) {
        EXPECT_FALSE(w->Enabled()) << w->Text();
        EXPECT_FALSE(w->Checked()) << w->Text();
    }
    EXPECT_FALSE(ui.staticUninstall.Enabled());
    EXPECT_FALSE(ui.staticModify.Enabled());
    // Back on the first page is enabled and does nothing.
    ASSERT_TRUE(ui.Press(ui.back));
    EXPECT_TRUE(ui.Shows({Page::Init, kNext, true, true, true}));

    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::License, kNext, false, true, true}));
    EXPECT_FALSE(ui.agree.Checked());
    ASSERT_TRUE(ui.Press(ui.agree));
    EXPECT_TRUE(ui.Shows({Page::License, kNext, true, true, true}));
    ASSERT_TRUE(ui.Press(ui.agree));
    EXPECT_TRUE(ui.Shows({Page::License, kNext, false, true, true})) << "unticking must disable Next again";

    // Back before agreeing: the first page is usable again.
    ASSERT_TRUE(ui.Press(ui.back));
    EXPECT_TRUE(ui.Shows({Page::Init, kNext, true, true, true}));
    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::License, kNext, false, true, true}));
    ASSERT_TRUE(ui.Press(ui.agree));
    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Mode, kNext, true, true, true}));
    EXPECT_TRUE(ui.typical.Checked());
    EXPECT_FALSE(ui.custom.Checked());
    EXPECT_EQ(ui.location.Text(), "C:\\Vaskel");
    EXPECT_TRUE(ui.choose.Enabled());

    // Back from the mode page: the licence page, the agreement still ticked.
    ASSERT_TRUE(ui.Press(ui.back));
    EXPECT_TRUE(ui.Shows({Page::License, kNext, true, true, true}));
    EXPECT_TRUE(ui.agree.Checked());
    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Mode, kNext, true, true, true}));

    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Icons, kNext, true, false, false}, 30000)) << "Typical goes straight to the shortcuts";
    EXPECT_TRUE(ui.menu.Checked());
    EXPECT_FALSE(ui.desktopIcon.Checked());
    EXPECT_TRUE(ui.NoBoxFor());

    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Readme, kFinish, true, false, false}));
    FinishAndExit();
}

TEST_F(InstallPath, CustomShowsTheComponentsAndBackSkipsTheModePage) {
    ASSERT_TRUE(ui.WalkTo(Page::Mode));
    ASSERT_TRUE(ui.Press(ui.custom));
    EXPECT_TRUE(ui.custom.Checked());
    EXPECT_FALSE(ui.typical.Checked());
    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Components, kNext, true, true, true}));
    EXPECT_TRUE(ui.vaskel.Checked());
    EXPECT_FALSE(ui.vaskel.Enabled()) << "the core product is always installed";
    for (const Window* w : {&ui.sim, &ui.docEn, &ui.animate}) {
        EXPECT_TRUE(w->Checked()) << w->Text();
        EXPECT_TRUE(w->Enabled()) << w->Text();
    }
    EXPECT_FALSE(ui.docPt.Checked());
    EXPECT_TRUE(ui.docPt.Enabled());

    // Back from the components returns to the licence page, not to the mode page.
    ASSERT_TRUE(ui.Press(ui.docPt));
    ASSERT_TRUE(ui.Press(ui.back));
    EXPECT_TRUE(ui.Shows({Page::License, kNext, true, true, true}));
    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Mode, kNext, true, true, true}));
    EXPECT_TRUE(ui.custom.Checked()) << "the mode chosen before stays";
    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Components, kNext, true, true, true}));
    EXPECT_TRUE(ui.docPt.Checked()) << "Back keeps the component boxes";

    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Icons, kNext, true, false, false}, 30000));
    // Disabled buttons stay inert from here on.
    ASSERT_TRUE(ui.Press(ui.back));
    EXPECT_TRUE(ui.Shows({Page::Icons, kNext, true, false, false}));
    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Readme, kFinish, true, false, false}));
    EXPECT_TRUE(ui.NoBoxFor());
    FinishAndExit();
}

TEST_F(InstallPath, CancelAnsweredNoKeepsTheWizardAndYesEndsIt) {
    ASSERT_TRUE(ui.WalkTo(Page::Mode));
    ASSERT_TRUE(ui.Press(ui.custom));
    const Snapshot before = ui.Snap();
    MessageBoxWindow confirm = ui.setup.PressCancel();
    ASSERT_TRUE(confirm) << "Cancel asked nothing";
    EXPECT_EQ(confirm.Caption(), "Confirm");
    EXPECT_EQ(confirm.Message(), kCancelQuestion);
    EXPECT_EQ(confirm.Icon(), BoxIcon::Question);
    EXPECT_EQ(confirm.Buttons(), (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(confirm.DefaultButton(), "&Yes");
    ASSERT_TRUE(confirm.Press("&No"));
    ASSERT_TRUE(confirm.WaitGone());
    Settle(ui.setup.wizard);
    EXPECT_TRUE(ui.setup.app.Running());
    EXPECT_EQ(ui.Snap(), before) << Differences(before, ui.Snap());
    // Still on Step 3: Next goes on to the components.
    ASSERT_TRUE(ui.Press(ui.next));
    EXPECT_TRUE(ui.Shows({Page::Components, kNext, true, true, true}));

    ASSERT_TRUE(ui.setup.CancelAndExit()) << ui.setup.Failure();
    EXPECT_EQ(ui.setup.app.ExitCode(), 0u);
    EXPECT_FALSE(ReadRecord().has_value()) << "a cancelled setup recorded an installation";
}

}  // namespace
