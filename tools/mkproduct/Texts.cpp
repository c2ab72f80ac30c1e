#include <cmath>
#include <cstdio>
#include <numbers>

#include "ByteBuffer.h"
#include "Formats.h"

std::vector<uint8_t> MakeSineTable() {
  ByteBuffer out;
  out.Text("\t0         0");
  const int kLines = 1000;
  for (int i = 1; i < kLines; ++i) {
    const double x = 2 * std::numbers::pi * i / (kLines - 1);
    double y = std::sin(x);
    if (std::fabs(y) < 0.00005) y = 0;  // sin(2 pi) would print as "-0.0000"
    char line[64];
    std::snprintf(line, sizeof line, "\r\n%10.4f%10.4f", x, y);
    out.Text(line);
  }
  return out.Data;
}

std::vector<uint8_t> WithCrLf(const std::vector<uint8_t>& text) {
  std::vector<uint8_t> out;
  for (uint8_t c : text) {
    if (c == '\r') continue;
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}
