// The picture shown for a scene picture that cannot be loaded: an empty, dusty frame on old
// parchment with a large question mark, a cobweb and its spider.
#include <algorithm>
#include <cmath>

#include "tools/artwork/Storybook.h"

using namespace storybook;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 112;

void PaintParchment(CCanvas& canvas) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const double dx = (x - kWidth / 2.0) / (kWidth / 2.0), dy = (y - kHeight / 2.0) / (kHeight / 2.0);
      const double age = std::sqrt(dx * dx + dy * dy) * 0.75 + (Noise(x * 0.07, y * 0.07, 3) - 0.5) * 0.5;
      const double level = std::clamp(age, 0.0, 1.0) * 2 - DitherThreshold(x, y) + 0.5;
      canvas.Set(x, y, level < 1 ? kParchmentLight : level < 2 ? kParchment : kParchmentDark);
    }
}

void PaintEmptyFrame(CCanvas& canvas) {
  const int left = 40, top = 16, right = 160, bottom = 96;
  for (int x = left; x <= right; ++x) {
    if ((x / 4) % 2) continue;
    canvas.Set(x, top, kWoodLight);
    canvas.Set(x, bottom, kWoodLight);
  }
  for (int y = top; y <= bottom; ++y) {
    if ((y / 4) % 2) continue;
    canvas.Set(left, y, kWoodLight);
    canvas.Set(right, y, kWoodLight);
  }
}

void PaintQuestionMark(CCanvas& canvas) {
  const std::vector<const char*> glyph = {
      "...######...", "..########..", ".###....###.", ".##......##.", "..........##", ".........###",
      "........###.", ".......###..", "......###...", ".....###....", ".....##.....", ".....##.....",
      "............", ".....##.....", ".....##.....",
  };
  // Each glyph pixel becomes a 3 × 3 block with an ink shadow.
  for (size_t row = 0; row < glyph.size(); ++row)
    for (int column = 0; glyph[row][column]; ++column)
      if (glyph[row][column] == '#') canvas.FillRect(84 + column * 3 + 2, 34 + static_cast<int>(row) * 3 + 2, 3, 3, kWoodDark);
  for (size_t row = 0; row < glyph.size(); ++row)
    for (int column = 0; glyph[row][column]; ++column)
      if (glyph[row][column] == '#') {
        const int x = 84 + column * 3, y = 34 + static_cast<int>(row) * 3;
        canvas.FillRect(x, y, 3, 3, kBurgundy);
        canvas.Set(x, y, kRed);
      }
}

void PaintCobweb(CCanvas& canvas) {
  for (int i = 0; i <= 4; ++i) {
    const double angle = i * M_PI / 8;
    canvas.Line(0, 0, static_cast<int>(std::cos(angle) * 34), static_cast<int>(std::sin(angle) * 34), kParchmentDark);
  }
  for (int ring = 1; ring <= 4; ++ring) {
    const double r = ring * 7.5;
    for (int i = 0; i < 4; ++i) {
      const double a0 = i * M_PI / 8, a1 = (i + 1) * M_PI / 8;
      canvas.Line(static_cast<int>(std::cos(a0) * r), static_cast<int>(std::sin(a0) * r),
                  static_cast<int>(std::cos(a1) * r * 0.92), static_cast<int>(std::sin(a1) * r * 0.92), kParchmentDark);
    }
  }
}

void PaintSpider(CCanvas& canvas) {
  canvas.Line(176, 0, 176, 28, kParchmentDark);
  canvas.FillCircle(176.5, 31, 2.6, kInk);
  canvas.FillCircle(176.5, 35.5, 3.4, kInk);
  for (int side : {-1, 1})
    for (int leg = 0; leg < 4; ++leg) {
      const int y = 31 + leg * 2;
      canvas.Line(176 + side * 2, y, 176 + side * 6, y - 2 + leg, kInk);
      canvas.Line(176 + side * 6, y - 2 + leg, 176 + side * 8, y + 1 + leg, kInk);
    }
  canvas.Set(175, 30, kRed);
  canvas.Set(177, 30, kRed);
}

}  // namespace

CCanvas PaintMissingPicture() {
  CCanvas canvas(kWidth, kHeight);
  PaintParchment(canvas);
  PaintEmptyFrame(canvas);
  PaintQuestionMark(canvas);
  PaintCobweb(canvas);
  PaintSpider(canvas);
  return canvas;
}
