// The runner's screen and DPI options reach the Windows side of the prefix.
#include <gtest/gtest.h>
#include "Handle.h"
#include "Screen.h"

TEST(RunnerOptions, ScreenSizeAndDpiAreThoseAsked) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const SIZE screen = e2e::ScreenSize();
    EXPECT_EQ(screen.cx, 640);
    EXPECT_EQ(screen.cy, 480);
    e2e::WindowDc dc(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc.get(), LOGPIXELSY), 144);
    EXPECT_EQ(GetDpiForSystem(), 144u);
}
