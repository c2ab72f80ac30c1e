#include "Gradient.h"

GradientBand GradientBandAt(int index, int width, int height) {
    int top = (index * height) / kGradientBands;
    int bottom = ((index + 1) * height) / kGradientBands;
    return GradientBand{RECT{0, top, width, bottom}, RGB(0, 0, (index + 10) & 0xFF)};
}

void PaintGradient(vk::Canvas& canvas, int width, int height) {
    for (int i = 0; i < kGradientBands; ++i) {
        GradientBand band = GradientBandAt(i, width, height);
        canvas.FillRect(band.Rect, band.Color);
    }
}
