// The title bar's close box and Alt+F4 at every step: before the run they put
// the Cancel question, after it they finish the installation as Finish does.
#include "wizard_pages.h"
#include <sstream>

using namespace wiz;

namespace {

enum class How { CloseBox, AltF4 };

class WizardClose : public ::testing::Test {
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
    bool Close(How how) { return how == How::CloseBox ? ui.ClickCloseBox() : ui.AltF4(); }
    MessageBoxWindow CloseAndExpectQuestion(How how) {
        if (!Close(how)) return {};
        MessageBoxWindow box = ui.WaitBox();
        if (box) {
            EXPECT_EQ(box.Caption(), "Confirm");
            EXPECT_EQ(box.Message(), kCancelQuestion);
        }
        return box;
    }
    void ExpectEndsWithoutQuestion(How how) {
        ASSERT_TRUE(Close(how));
        EXPECT_TRUE(ui.setup.app.WaitExit(10000)) << "the close did not end the program";
        EXPECT_EQ(ui.setup.app.ExitCode(), 0u);
        EXPECT_TRUE(MessageBoxes(ui.setup.app.Id()).empty()) << MessageBoxes(ui.setup.app.Id()).front().Message();
    }
    WizardUi ui;
};

TEST_F(WizardClose, BeforeTheRunItAsksAndNoKeepsTheStepThenAfterTheRunItFinishes) {
    const std::pair<Page, How> steps[] = {{Page::Init, How::CloseBox},
                                          {Page::License, How::AltF4},
                                          {Page::Mode, How::CloseBox},
                                          {Page::Components, How::AltF4}};
    for (const auto& [page, how] : steps) {
        std::ostringstream trace;
        trace << page << (how == How::CloseBox ? " by the close box" : " by Alt+F4");
        SCOPED_TRACE(trace.str());
        ASSERT_TRUE(ui.WalkTo(page, true));
        const Snapshot before = ui.Snap();
        MessageBoxWindow box = CloseAndExpectQuestion(how);
        ASSERT_TRUE(box) << "no question";
        ASSERT_TRUE(box.Press("&No"));
        ASSERT_TRUE(box.WaitGone());
        Settle(ui.setup.wizard);
        EXPECT_TRUE(ui.setup.app.Running());
        const Snapshot after = ui.Snap();
        EXPECT_EQ(after, before) << Differences(before, after);
    }
    ASSERT_TRUE(ui.WalkTo(Page::Icons, true));
    ExpectEndsWithoutQuestion(How::CloseBox);
}

TEST_F(WizardClose, AltF4OnTheReadmePageFinishes) {
    ASSERT_TRUE(ui.WalkTo(Page::Readme));
    ExpectEndsWithoutQuestion(How::AltF4);
}

class WizardCloseYes : public WizardClose, public ::testing::WithParamInterface<std::pair<Page, How>> {};

TEST_P(WizardCloseYes, EndsAsACancelWithNothingRecorded) {
    const auto [page, how] = GetParam();
    ASSERT_TRUE(ui.WalkTo(page, true));
    MessageBoxWindow box = CloseAndExpectQuestion(how);
    ASSERT_TRUE(box) << "no question";
    ASSERT_TRUE(box.Press("&Yes"));
    ASSERT_TRUE(ui.setup.app.WaitExit(10000)) << "Yes did not end the program";
    EXPECT_EQ(ui.setup.app.ExitCode(), 0u);
    EXPECT_FALSE(ReadRecord().has_value()) << "a close before the run recorded an installation";
}

INSTANTIATE_TEST_SUITE_P(Steps, WizardCloseYes,
                         ::testing::Values(std::pair{Page::Init, How::AltF4}, std::pair{Page::License, How::CloseBox},
                                           std::pair{Page::Mode, How::AltF4},
                                           std::pair{Page::Components, How::CloseBox}));

}  // namespace
