// What is on the screen: pixels through GDI from the screen DC, and shots.
#pragma once
#include <windows.h>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
    BYTE r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);

// A copy of a screen rectangle, 32 bits a pixel, top row first.
class Capture {
public:
    bool Grab(const RECT& screenArea);
    bool GrabScreen();
    int Width() const { return width_; }
    int Height() const { return height_; }
    const RECT& Area() const { return area_; }
    // Coordinates relative to the captured area.
    Rgb At(int x, int y) const;
    bool SaveBmp(const std::string& path) const;
    // Pixels of this capture that differ from other by more than tolerance
    // in any channel; the two must be of one size.
    int CountDifferent(const Capture& other, int tolerance = 0) const;
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
    std::vector<std::uint32_t>& Pixels() { return pixels_; }
    void Resize(int width, int height);

private:
    RECT area_{};
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

SIZE ScreenSize();
Rgb ScreenPixel(int x, int y);
// Saves the whole screen as <name>.bmp in the runner's shot folder, which the
// runner turns into build/e2e-shots/<scenario>/<name>.png.
bool SaveScreenshot(const std::string& name);

}  // namespace e2e
