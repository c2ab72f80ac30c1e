// The runner's screen and DPI options reach the Windows side of the prefix.
#include <gtest/gtest.h>
#include "Handle.h"
#include "Screen.h"
#include "Window.h"

TEST(RunnerOptions, ScreenSizeAndDpiAreThoseAsked) {
    const SIZE screen = e2e::ScreenSize();
    EXPECT_EQ(screen.cx, 640);
    EXPECT_EQ(screen.cy, 480);
    e2e::WindowDc dc(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc.get(), LOGPIXELSY), 144);
    EXPECT_EQ(GetDpiForSystem(), 144u);
    // Seen by the driver in physical pixels: a window's rectangle is not scaled back to 96 DPI.
    HWND probe =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(probe);
    const RECT r = e2e::Window(probe).Rect();
    EXPECT_EQ(r.right - r.left, 600);
    DestroyWindow(probe);
}
