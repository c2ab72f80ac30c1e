// Keys that must do nothing, and the destination texts the wizard accepts or refuses.
#include "wizard_pages.h"

using namespace wiz;

namespace {

class WizardInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ForgetRecord());
        ASSERT_TRUE(ui.Start()) << ui.Failure();
    }
    void TearDown() override {
        if (ui.setup.app.Running()) {
            EXPECT_TRUE(ui.setup.CancelAndExit()) << ui.setup.Failure();
        }
    }
    // Types over the destination as from the keyboard; "" clears it.
    void TypeDestination(const std::string& text) {
        ASSERT_TRUE(ui.location.ReplaceText(text.empty() ? std::string("\b") : text));
        ASSERT_TRUE(WaitUntil([&] { return ui.location.Text() == text; }))
            << "the field reads \"" << ui.location.Text() << "\"";
    }
    // Next refused with the plain message; everything as it was after OK.
    void ExpectRefused(const std::string& text, const char* shot = nullptr) {
        SCOPED_TRACE("destination \"" + text + "\"");
        const Snapshot before = ui.Snap();
        const Page page = ui.Shown();
        ASSERT_TRUE(ui.Press(ui.next));
        MessageBoxWindow box = ui.WaitBox();
        ASSERT_TRUE(box) << "refused without a message";
        EXPECT_EQ(box.Caption(), "Vaskel Setup");
        EXPECT_EQ(box.Message(), kInvalidFolder);
        // Wine's box keeps an empty icon control, which reads as Unknown.
        const BoxIcon icon = box.Icon(300);
        EXPECT_TRUE(icon == BoxIcon::None || icon == BoxIcon::Unknown) << icon;
        EXPECT_EQ(box.Buttons(), (std::vector<std::string>{"OK"}));
        EXPECT_TRUE(box.Centred());
        EXPECT_FALSE(ui.setup.wizard.Enabled()) << "the plain box is not modal";
        if (shot) SaveScreenshot(shot);
        ASSERT_TRUE(box.Press("OK"));
        ASSERT_TRUE(box.WaitGone());
        Settle(ui.setup.wizard);
        EXPECT_EQ(ui.Shown(), page);
        const Snapshot after = ui.Snap();
        EXPECT_EQ(after, before) << Differences(before, after);
        EXPECT_TRUE(ui.NoBoxFor(200));
    }
    // Keys pressed with the focus on a control: nothing may change. The focus is
    // put there by Tab, or by a click where the control lies first in the tab order.
    void ExpectInert(const Window& focus, std::initializer_list<std::pair<WORD, std::vector<WORD>>> keys,
                     bool byClick = false) {
        std::string visited;
        if (byClick) {
            ASSERT_TRUE(ui.ClickFocus(focus)) << "a click gave no focus to \"" << focus.Text().substr(0, 40) << "\"";
        } else {
            ASSERT_TRUE(ui.TabTo(focus, &visited))
                << "Tab never reached \"" << focus.Text().substr(0, 40) << "\", only " << visited;
        }
        const Snapshot before = ui.Snap();
        const Page page = ui.Shown();
        for (const auto& [vk, mods] : keys) {
            SCOPED_TRACE("key " + std::to_string(vk) + " with " + std::to_string(mods.size()) +
                         " modifiers, focus on \"" + focus.Text().substr(0, 30) + "\"");
            bool pressed = false;
            switch (mods.size()) {
                case 0:
                    pressed = PressKey(ui.setup.wizard, vk);
                    break;
                case 1:
                    pressed = PressKey(ui.setup.wizard, vk, {mods[0]});
                    break;
                default:
                    pressed = PressKey(ui.setup.wizard, vk, {mods[0], mods[1]});
                    break;
            }
            ASSERT_TRUE(pressed);
            EXPECT_TRUE(ui.NoBoxFor(300));
            EXPECT_EQ(ui.Shown(), page);
            const Snapshot after = ui.Snap();
            EXPECT_EQ(after, before) << Differences(before, after);
        }
    }
    WizardUi ui;
};

const std::initializer_list<std::pair<WORD, std::vector<WORD>>> kEnterEsc = {{VK_RETURN, {}}, {VK_ESCAPE, {}}};
const std::initializer_list<std::pair<WORD, std::vector<WORD>>> kAll = {
    {VK_RETURN, {}}, {VK_ESCAPE, {}}, {VK_TAB, {VK_CONTROL}}, {VK_TAB, {VK_CONTROL, VK_SHIFT}}};

TEST_F(WizardInput, EnterEscAndCtrlTabDoNothingOnAnyPageBeforeTheRun) {
    // Inside the page control and on the buttons, on every page before the run.
    ExpectInert(ui.install, kAll, true);
    ExpectInert(ui.next, kAll);
    ASSERT_TRUE(ui.Press(ui.next));
    ASSERT_TRUE(ui.Shows({Page::License, kNext, false, true, true}));
    ExpectInert(ui.agree, kAll, true);  // the click ticks it
    ASSERT_TRUE(ui.agree.Checked());
    ExpectInert(ui.next, kAll);
    ExpectInert(ui.cancel, kEnterEsc);
    ASSERT_TRUE(ui.WalkTo(Page::Mode));
    ExpectInert(ui.location, kAll, true);
    ExpectInert(ui.typical, kAll);
    ExpectInert(ui.next, kEnterEsc);
    ASSERT_TRUE(ui.Press(ui.custom));
    ASSERT_TRUE(ui.WalkTo(Page::Components));
    ExpectInert(ui.sim, kAll, true);
    ExpectInert(ui.back, kEnterEsc);
    EXPECT_TRUE(ui.Shows({Page::Components, kNext, true, true, true}));
}

TEST_F(WizardInput, EnterAndCtrlTabDoNothingAfterTheRun) {
    ASSERT_TRUE(ui.WalkTo(Page::Icons, true));
    ExpectInert(ui.menu, kAll, true);
    ExpectInert(ui.next, kAll);
    ASSERT_TRUE(ui.Press(ui.next));
    ASSERT_TRUE(ui.Shows({Page::Readme, kFinish, true, false, false}));
    ExpectInert(ui.readme, kAll, true);
    // Cancel is disabled from here on: Finish is the way out.
    ASSERT_TRUE(ui.next.Click());
    EXPECT_TRUE(ui.setup.app.WaitExit(10000));
}

// A keyboard user must be able to go on wherever the wizard puts the focus.
TEST_F(WizardInput, TabReachesTheAgreementAfterNextWasPressedFromTheKeyboard) {
    ASSERT_TRUE(ui.TabTo(ui.next));
    ASSERT_TRUE(PressKey(ui.setup.wizard, VK_SPACE));
    ASSERT_TRUE(ui.Shows({Page::License, kNext, false, true, true}));
    // Next has just disabled itself under the focus.
    std::string visited;
    EXPECT_TRUE(ui.TabTo(ui.agree, &visited)) << "Tab moves nothing; the focus went " << visited;
}

TEST_F(WizardInput, TabLeavesTheLicenceTextForTheAgreement) {
    ASSERT_TRUE(ui.WalkTo(Page::License));
    ASSERT_TRUE(ui.ClickFocus(ui.license));
    std::string visited;
    EXPECT_TRUE(ui.TabTo(ui.agree, &visited)) << "Tab stays in the licence: " << visited.substr(0, 80);
}

TEST_F(WizardInput, TabLeavesTheReadmeForFinish) {
    ASSERT_TRUE(ui.WalkTo(Page::Readme, true));
    ASSERT_TRUE(ui.ClickFocus(ui.readme));
    std::string visited;
    EXPECT_TRUE(ui.TabTo(ui.next, &visited)) << "Tab stays in the read-me: " << visited.substr(0, 80);
    ASSERT_TRUE(ui.next.Click());
    EXPECT_TRUE(ui.setup.app.WaitExit(10000));
}

TEST_F(WizardInput, DestinationTextsAreJudgedAsTyped) {
    ASSERT_TRUE(ui.WalkTo(Page::Mode));
    ASSERT_TRUE(ui.typical.Checked());
    // Typical would start the run at once on an accepted text: every refusal must hold.
    TypeDestination("Vaskel");
    ExpectRefused("Vaskel", "invalid-folder");
    TypeDestination("");
    ExpectRefused("");
    TypeDestination(" ");
    ExpectRefused(" ");
    TypeDestination("Program Files");
    ExpectRefused("Program Files");
    // Still Step 3: Back goes to the licence page.
    ASSERT_TRUE(ui.Press(ui.back));
    EXPECT_TRUE(ui.Shows({Page::License, kNext, true, true, true}));
    ASSERT_TRUE(ui.Press(ui.next));
    ASSERT_TRUE(ui.Shows({Page::Mode, kNext, true, true, true}));
    EXPECT_EQ(ui.location.Text(), "Program Files");

    // Custom moves on to the components without writing anything.
    ASSERT_TRUE(ui.Press(ui.custom));
    for (const std::string text : {"C:\\Vaskel", "C:", "\\", "a:b", "\\\\server\\share"}) {
        SCOPED_TRACE("destination \"" + text + "\"");
        TypeDestination(text);
        ASSERT_TRUE(ui.Press(ui.next));
        EXPECT_TRUE(ui.Shows({Page::Components, kNext, true, true, true}));
        EXPECT_TRUE(ui.NoBoxFor(200));
        ASSERT_TRUE(ui.Press(ui.back));
        ASSERT_TRUE(ui.Shows({Page::License, kNext, true, true, true}));
        ASSERT_TRUE(ui.Press(ui.next));
        ASSERT_TRUE(ui.Shows({Page::Mode, kNext, true, true, true}));
        EXPECT_EQ(ui.location.Text(), text);
    }

    // Next on the components page judges the text again. The field is out of
    // sight there, so it is changed behind the page, as no user could.
    ASSERT_TRUE(ui.Press(ui.next));
    ASSERT_TRUE(ui.Shows({Page::Components, kNext, true, true, true}));
    ASSERT_TRUE(ui.location.SetText("Vaskel"));
    ExpectRefused("Vaskel");
}

}  // namespace
