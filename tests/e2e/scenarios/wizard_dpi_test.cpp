// At 144 DPI the 96-DPI layout is scaled: the wizard grows by half.
#include <gtest/gtest.h>
#include "e2e.h"

using namespace e2e;

TEST(WizardAt144Dpi, IsScaledByHalfAndStillCentred) {
    SetupSession setup;
    ASSERT_TRUE(setup.Start()) << setup.Failure();
    const SIZE screen = ScreenSize();
    const RECT r = setup.wizard.Rect(), b = setup.backdrop.Rect();
    Settle(setup.wizard);
    Settle(setup.backdrop);
    Sleep(300);  // for the paint, before the shot
    SaveScreenshot("wizard-144dpi");
    EXPECT_EQ(r.right - r.left, 816);
    EXPECT_EQ(r.bottom - r.top, 504);
    EXPECT_NEAR(r.left, (screen.cx - 816) / 2, 1);
    EXPECT_NEAR(r.top, (screen.cy - 504) / 2, 1);
    EXPECT_EQ(b.right - b.left, screen.cx) << "the backdrop covers the physical screen";
    EXPECT_EQ(b.bottom - b.top, screen.cy);
    EXPECT_TRUE(setup.CancelAndExit()) << setup.Failure();
}
