#include <gtest/gtest.h>

#include <vector>

#include "Gradient.h"

namespace {
struct Recorder : vk::Canvas {
    std::vector<GradientBand> fills;
    void FillRect(const RECT& r, COLORREF c) override { fills.push_back({r, c}); }
};
}  // namespace

TEST(Gradient, TwoHundredFillsTileTheAreaFromBlue10ToBlue209) {
    for (int h : {768, 600, 1080, 199, 1}) {
        Recorder rec;
        PaintGradient(rec, 1024, h);
        ASSERT_EQ(rec.fills.size(), 200u) << h;
        int expectTop = 0;
        for (int i = 0; i < 200; ++i) {
            const auto& f = rec.fills[i];
            EXPECT_EQ(f.Rect.left, 0);
            EXPECT_EQ(f.Rect.right, 1024);
            EXPECT_EQ(f.Rect.top, expectTop) << "gap or overlap at band " << i << ", height " << h;
            EXPECT_GE(f.Rect.bottom, f.Rect.top);
            EXPECT_EQ(f.Color, RGB(0, 0, i + 10));
            expectTop = f.Rect.bottom;
        }
        EXPECT_EQ(expectTop, h);
    }
}

TEST(Gradient, BandEdgesFollowTheTruncatedProduct) {
    EXPECT_EQ(GradientBandAt(0, 10, 768).Rect.bottom, 3);  // 768/200 = 3.84
    EXPECT_EQ(GradientBandAt(1, 10, 768).Rect.top, 3);
    EXPECT_EQ(GradientBandAt(1, 10, 768).Rect.bottom, 7);  // 1536/200 = 7.68
    EXPECT_EQ(GradientBandAt(199, 10, 768).Rect.top, 764);
    EXPECT_EQ(GradientBandAt(0, 10, 150).Rect.bottom, 0);  // an empty band fills nothing
    RECT zero = GradientBandAt(100, 10, 0).Rect;
    EXPECT_EQ(zero.top, zero.bottom);
}
