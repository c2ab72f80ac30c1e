#pragma once
#include <windows.h>

#include "Form.h"

// The backdrop's black-to-blue gradient: 200 bands, band i from (i*H)/200 to
// ((i+1)*H)/200 (bottom exclusive), blue i+10.
constexpr int kGradientBands = 200;

struct GradientBand {
    RECT Rect;
    COLORREF Color;
};

GradientBand GradientBandAt(int index, int width, int height);
// Fills every band over the whole width x height area: exactly 200 fills.
void PaintGradient(vk::Canvas& canvas, int width, int height);
