// The wizard window in front of the backdrop, and the clean way out: Cancel.
#include <gtest/gtest.h>
#include "e2e.h"
#include <cstdio>

using namespace e2e;

namespace {

class WizardWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(setup.Start()) << setup.Failure(); }
    void TearDown() override {
        if (setup.app.Running()) {
            EXPECT_TRUE(setup.CancelAndExit()) << setup.Failure();
        }
    }
    SetupSession setup;
};

TEST_F(WizardWindow, AppearsCentredTopmostAndInFront) {
    std::printf("wizard visible %lu ms after CreateProcess\n", static_cast<unsigned long>(setup.StartMs()));
    const SIZE screen = ScreenSize();
    const RECT r = setup.wizard.Rect();
    EXPECT_EQ(r.right - r.left, 544);
    EXPECT_EQ(r.bottom - r.top, 336);
    EXPECT_NEAR(r.left, (screen.cx - 544) / 2, 1);
    EXPECT_NEAR(r.top, (screen.cy - 336) / 2, 1);
    EXPECT_TRUE(setup.wizard.Topmost());
    EXPECT_TRUE(setup.wizard.InFrontOf(setup.backdrop));
    // In front on the screen too: its middle shows no gradient.
    auto gradient = [](const Rgb& p) { return p.r == 0 && p.g == 0 && p.b >= 10 && p.b <= 209; };
    const RECT client = setup.wizard.ClientRect();
    const POINT probe{(client.left + client.right) / 2, client.bottom - 4};
    EXPECT_TRUE(WaitUntil([&] { return !gradient(ScreenPixel(probe.x, probe.y)); }, 3000))
        << "gradient shows through the wizard: " << ScreenPixel(probe.x, probe.y);
    SaveScreenshot("wizard");
}

TEST_F(WizardWindow, TitleBarShowsTheProgramsIcon) {
    // Wine draws the frame itself; the icon's orange and green nodes stand out of a caption.
    const RECT window = setup.wizard.Rect(), client = setup.wizard.ClientRect();
    Capture strip;
    ASSERT_TRUE(strip.Grab(RECT{window.left, window.top, window.left + 32, client.top}));
    auto seen = [&](auto match) {
        for (int y = 0; y < strip.Height(); ++y)
            for (int x = 0; x < strip.Width(); ++x)
                if (match(strip.At(x, y))) return true;
        return false;
    };
    EXPECT_TRUE(seen([](Rgb p) { return p.r > 220 && p.g > 130 && p.g < 200 && p.b < 100; })) << "no orange node";
    EXPECT_TRUE(seen([](Rgb p) { return p.r < 170 && p.g > 220 && p.b > 130 && p.b < 200; })) << "no green node";
}

TEST_F(WizardWindow, StaysInFrontWhenTheBackdropIsActivated) {
    ASSERT_TRUE(setup.backdrop.Activate());
    Settle(setup.backdrop);
    EXPECT_TRUE(setup.wizard.InFrontOf(setup.backdrop));
    EXPECT_TRUE(setup.wizard.Visible());
}

TEST_F(WizardWindow, CancelAsksAndOnlyYesEndsTheProgram) {
    MessageBoxWindow confirm = setup.PressCancel();
    ASSERT_TRUE(confirm) << "no confirmation";
    EXPECT_EQ(confirm.Caption(), "Confirm");
    EXPECT_EQ(confirm.Message(), kCancelQuestion);
    EXPECT_EQ(confirm.Icon(), BoxIcon::Question);
    EXPECT_EQ(confirm.Buttons(), (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(confirm.DefaultButton(), "&Yes");
    // Modal and centred on the screen: the wizard takes no input while it is up.
    EXPECT_TRUE(confirm.Centred()) << "box at " << confirm.Rect().left << "," << confirm.Rect().top;
    EXPECT_FALSE(setup.wizard.Enabled());
    SaveScreenshot("cancel-confirm");
    ASSERT_TRUE(confirm.Press("&No"));
    ASSERT_TRUE(confirm.WaitGone());
    Sleep(300);
    EXPECT_TRUE(setup.app.Running()) << "No ended the program";
    EXPECT_TRUE(setup.wizard.Visible());

    ASSERT_TRUE(setup.CancelAndExit()) << setup.Failure();
    EXPECT_EQ(setup.app.ExitCode(), 0u);
}

}  // namespace
