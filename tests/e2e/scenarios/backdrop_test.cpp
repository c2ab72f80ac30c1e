// The backdrop as a user sees it: the whole screen, a 200-band black-to-blue
// gradient, the white title at the top left, and no way to close it.
#include <gtest/gtest.h>
#include "e2e.h"
#include <algorithm>
#include <cstdlib>

using namespace e2e;

namespace {

// The band that holds row y of a client area h rows high.
int BandOf(int y, int h) {
    for (int i = 0; i < 200; ++i)
        if (y >= (i * h) / 200 && y < ((i + 1) * h) / 200) return i;
    return -1;
}

Rgb BandColour(int i) { return Rgb{0, 0, BYTE(i + 10)}; }

// The layout is in 96-DPI pixels; the program scales it to the screen's DPI.
int Scaled(int v) { return MulDiv(v, static_cast<int>(GetDpiForSystem()), 96); }

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

std::string ShotName(const char* what) {
    const SIZE s = ScreenSize();
    return std::string(what) + "-" + std::to_string(s.cx) + "x" + std::to_string(s.cy);
}

class Backdrop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(setup.Start()) << setup.Failure();
        screen = ScreenSize();
        // The gradient is painted once the backdrop has been shown; wait for its last band.
        ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(1, screen.cy - 1) == BandColour(199); }, 5000))
            << "bottom-left pixel is " << ScreenPixel(1, screen.cy - 1);
    }
    void TearDown() override {
        if (setup.app.Running()) {
            EXPECT_TRUE(setup.CancelAndExit()) << setup.Failure();
        }
    }
    bool Grab() {
        return WaitUntil([&] { return shot.GrabScreen(); }, 2000);
    }
    SetupSession setup;
    SIZE screen{};
    Capture shot;
};

TEST_F(Backdrop, CoversTheWholeScreenWithoutFrame) {
    const RECT r = setup.backdrop.Rect(), c = setup.backdrop.ClientRect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, screen.cx);
    EXPECT_EQ(r.bottom, screen.cy);
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.right, screen.cx) << "the client area is the whole window: no frame";
    EXPECT_EQ(c.bottom, screen.cy) << "no title bar";
    EXPECT_TRUE(IsZoomed(setup.backdrop.handle())) << "maximised";
    EXPECT_EQ(setup.backdrop.Style() & (WS_CAPTION | WS_THICKFRAME), 0);
}

TEST_F(Backdrop, PaintsTwoHundredBandsOfRisingBlue) {
    ASSERT_TRUE(Grab());
    SaveScreenshot(ShotName("backdrop"));
    const int h = screen.cy;
    // Row 0 lies above the title and row h-1 below every text: both are one colour edge to edge.
    int wrongTop = 0, wrongBottom = 0;
    for (int x = 0; x < screen.cx; ++x) {
        wrongTop += shot.At(x, 0) != BandColour(0);
        wrongBottom += shot.At(x, h - 1) != BandColour(199);
    }
    EXPECT_EQ(wrongTop, 0) << "top band is not blue 10, e.g. " << shot.At(screen.cx / 2, 0);
    EXPECT_EQ(wrongBottom, 0) << "bottom band is not blue 209, e.g. " << shot.At(screen.cx / 2, h - 1);
    // The left edge is clear of every window and text: each row shows its band.
    int wrongRows = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < 8; ++x)
            if (shot.At(x, y) != BandColour(BandOf(y, h))) {
                if (++wrongRows <= 5)
                    ADD_FAILURE() << "row " << y << " x " << x << " is " << shot.At(x, y) << ", band " << BandOf(y, h)
                                  << " wants " << BandColour(BandOf(y, h));
                break;
            }
    }
    EXPECT_EQ(wrongRows, 0);
}

TEST_F(Backdrop, BandEdgesFallWhereTheIntegerDivisionPutsThem) {
    ASSERT_TRUE(Grab());
    const int h = screen.cy;
    for (int i : {1, 37, 100, 151, 199}) {
        const int edge = (i * h) / 200;
        SCOPED_TRACE("band " + std::to_string(i) + " starts at row " + std::to_string(edge));
        EXPECT_EQ(shot.At(3, edge - 1), BandColour(i - 1));
        EXPECT_EQ(shot.At(3, edge), BandColour(i));
        EXPECT_EQ(shot.At(3, ((i + 1) * h) / 200 - 1), BandColour(i)) << "last row of the band";
    }
}

// Smoothed glyph edges mix white into the band's blue: red and green rise together.
bool WhiteOverBand(const Rgb& p, const Rgb& band) {
    return std::abs(p.r - p.g) <= 2 && p.b + 2 >= band.b && p.r <= p.b + 2;
}

TEST_F(Backdrop, ShowsTheTitleInWhiteAtTheTopLeft) {
    ASSERT_TRUE(Grab());
    SaveScreenshot(ShotName("title"));
    const RECT label{Scaled(8), Scaled(8), Scaled(8 + 294), Scaled(8 + 58)};
    RECT ink{screen.cx, screen.cy, -1, -1};
    int white = 0, strayWhite = 0, foreign = 0;
    const RECT wizard = setup.wizard.Rect();
    for (int y = 0; y < Scaled(120); ++y)
        for (int x = 0; x < screen.cx; ++x) {
            if (Inside(wizard, x, y)) continue;
            const Rgb p = shot.At(x, y), band = BandColour(BandOf(y, screen.cy));
            const bool isWhite = p == Rgb{255, 255, 255};
            if (!Inside(label, x, y)) {
                strayWhite += isWhite;
                continue;
            }
            if (isWhite) {
                ++white;
                ink = RECT{std::min(ink.left, LONG(x)), std::min(ink.top, LONG(y)), std::max(ink.right, LONG(x + 1)),
                           std::max(ink.bottom, LONG(y + 1))};
            } else if (p != band && !WhiteOverBand(p, band) && ++foreign <= 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << p << " over band " << band;
            }
        }
    EXPECT_GT(white, Scaled(Scaled(800))) << "too little white text in the title's place";
    EXPECT_EQ(strayWhite, 0) << "white outside the title label";
    EXPECT_EQ(foreign, 0) << "the title has colours of neither the text nor the gradient";
    // Transparent: the label's own corners show the gradient.
    for (POINT c : {POINT{label.left, label.top}, POINT{label.right - 1, label.top},
                    POINT{label.left, label.bottom - 1}, POINT{label.right - 1, label.bottom - 1}})
        EXPECT_EQ(shot.At(c.x, c.y), BandColour(BandOf(c.y, screen.cy))) << "corner " << c.x << "," << c.y;
    // A 50-pixel font: capitals stand about 35 pixels high; the text starts at the label's left.
    EXPECT_LT(ink.left, label.left + Scaled(12));
    EXPECT_GE(ink.top, label.top);
    EXPECT_GE(ink.bottom - ink.top, Scaled(30)) << "the title's letters are too small";
    EXPECT_LE(ink.bottom, label.bottom);
    EXPECT_GE(ink.right - ink.left, Scaled(200)) << "\"Vaskel Setup\" spans most of the 294-pixel label";
}

// The notice sits where the design puts it, a few pixels inside the window's
// bottom-right corner: white in the corner, none above it.
TEST_F(Backdrop, ShowsTheNoticeInWhiteAtTheBottomRight) {
    ASSERT_TRUE(Grab());
    int corner = 0, above = 0;
    for (int y = screen.cy - Scaled(60); y < screen.cy; ++y)
        for (int x = screen.cx - Scaled(170); x < screen.cx; ++x)
            (y >= screen.cy - Scaled(20) ? corner : above) += shot.At(x, y) == Rgb{255, 255, 255};
    EXPECT_GT(corner, Scaled(Scaled(40))) << "no notice in the bottom-right corner";
    EXPECT_EQ(above, 0) << "the notice stands higher than designed";
}

TEST_F(Backdrop, RefusesAltF4AndSystemMenuClose) {
    ASSERT_TRUE(PressKey(setup.backdrop, VK_F4, {VK_MENU})) << "backdrop could not take the keyboard";
    setup.backdrop.SystemClose();
    setup.backdrop.Post(WM_CLOSE);
    Settle(setup.backdrop);
    Sleep(300);
    EXPECT_TRUE(setup.app.Running());
    EXPECT_TRUE(setup.backdrop.Visible());
    EXPECT_TRUE(setup.wizard.Visible());
    EXPECT_TRUE(MessageBoxes(setup.app.Id()).empty()) << "a refused close shows nothing";
    const RECT r = setup.backdrop.Rect();
    EXPECT_EQ(r.right - r.left, screen.cx);
    EXPECT_EQ(ScreenPixel(1, screen.cy - 1), BandColour(199));
}

}  // namespace
