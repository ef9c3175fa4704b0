// The title page picture: an open book on a reading desk by candlelight, with an inkwell and
// a quill, in the sixteen storybook colours.
#include <algorithm>
#include <cmath>

#include "tools/artwork/Storybook.h"

using namespace storybook;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 112;
constexpr double kFlameX = 178.5, kFlameY = 27;

// Picks between two colours by the fraction t with ordered dithering.
Colour Dither(Colour a, Colour b, double t, int x, int y) { return t > DitherThreshold(x, y) ? b : a; }

// Candlelight on the wall: from gold near the flame to ink in the corners.
Colour Wall(int x, int y) {
  const double distance = std::hypot(x - kFlameX, (y - kFlameY) * 1.2);
  const double light = std::clamp(1.2 - distance / 95.0, 0.0, 1.0) * 3;
  const Colour levels[] = {kInk, kWoodDark, kWood, kGoldDark};
  const int level = std::min(static_cast<int>(light), 2);
  Colour c = Dither(levels[level], levels[level + 1], light - level, x, y);
  if (x % 31 == 7) c = kInk;  // the joints of the panelling
  return c;
}

void PaintRoom(CCanvas& canvas) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (y < 72) {
        canvas.Set(x, y, Wall(x, y));
      } else if (y < 100) {
        const double light = std::clamp(1.1 - std::abs(x - kFlameX) / 120.0, 0.0, 1.0);
        canvas.Set(x, y, Dither(kWood, kWoodLight, light * 0.8 + (Noise(x * 0.08, y * 0.9, 5) - 0.5) * 0.4, x, y));
      } else if (y < 103) {
        canvas.Set(x, y, kWoodDark);
      } else {
        canvas.Set(x, y, kInk);
      }
    }
  canvas.FillRect(0, 72, kWidth, 1, kWoodLight);
}

// One page: the outer edge at x outer, the spine at x 100; its top edge curls up towards the
// spine.
std::vector<double> PagePolygon(double outer, double top, double bottom, double lift) {
  std::vector<double> points;
  const int steps = 12;
  for (int i = 0; i <= steps; ++i) {
    const double t = i / double(steps);
    points.push_back(outer + (100 - outer) * t);
    points.push_back(top - std::sin(t * M_PI * 0.9) * lift + t * 4);
  }
  for (int i = steps; i >= 0; --i) {
    const double t = i / double(steps);
    points.push_back(outer + (100 - outer) * t);
    points.push_back(bottom - std::sin(t * M_PI * 0.9) * lift * 0.5 + t * 3);
  }
  return points;
}

void PaintBook(CCanvas& canvas) {
  canvas.FillPolygon({38.0, 66, 100, 64, 162, 66, 164, 98, 100, 102, 36, 98}, kBurgundy);
  canvas.FillPolygon({38.0, 96, 100, 100, 162, 96, 164, 99, 100, 103, 36, 99}, kInk);
  canvas.FillPolygon(PagePolygon(41, 62, 95, 6), kParchmentLight);
  canvas.FillPolygon(PagePolygon(159, 62, 95, 6), kParchmentLight);
  // Shade towards the spine and lines of text.
  for (int y = 50; y < 104; ++y)
    for (int x = 40; x < 162; ++x) {
      if (canvas.Get(x, y) != kParchmentLight) continue;
      const double nearSpine = 1 - std::abs(x - 100) / 14.0;
      if (nearSpine > 0 && nearSpine > DitherThreshold(x, y)) canvas.Set(x, y, kParchment);
    }
  for (int side = 0; side < 2; ++side) {
    for (int line = 0; line < 8; ++line) {
      const int y0 = 66 + line * 3 + (line > 3 ? 2 : 0);
      const int from = side == 0 ? 48 + (line == 0 ? 8 : 0) : 108;
      const int to = side == 0 ? 92 : 152 - (line == 7 ? 20 : 0);
      for (int x = from; x < to; ++x) {
        if (Noise(x * 0.45, line + side * 9.0, 9) < 0.3) continue;  // the gaps between words
        const double t = side == 0 ? (x - 41) / 59.0 : (159 - x) / 59.0;
        const int y = y0 - static_cast<int>(std::sin(t * M_PI * 0.9) * 4) + static_cast<int>(t * 3);
        if (canvas.Get(x, y) == kParchmentLight || canvas.Get(x, y) == kParchment) canvas.Set(x, y, kParchmentDark);
      }
    }
  }
  // A red initial and a gold ribbon.
  canvas.FillRect(48, 64, 6, 6, kRed);
  canvas.FillRect(49, 65, 4, 4, kGold);
  canvas.FillRect(50, 66, 2, 2, kRed);
  canvas.FillPolygon({99.0, 60, 102, 60, 104, 108, 102, 106, 100, 109}, kGold);
  canvas.Line(99, 60, 100, 108, kGoldDark);
}

void PaintCandle(CCanvas& canvas) {
  const int x = static_cast<int>(kFlameX);  // the candle's centre column
  canvas.FillEllipse(kFlameX, 88, 12, 4, kGoldDark);
  canvas.FillEllipse(kFlameX, 87, 10, 3, kGold);
  canvas.FillRect(x - 5, 40, 12, 47, kParchmentLight);
  canvas.FillRect(x + 3, 40, 4, 47, kParchment);
  canvas.FillEllipse(kFlameX + 0.5, 40, 6, 1.6, kParchment);
  canvas.FillRect(x - 3, 41, 2, 9, kParchmentLight);  // a drip
  canvas.Line(x, 35, x, 39, kInk);
  canvas.FillEllipse(kFlameX, kFlameY, 4, 9, kGold);
  canvas.FillEllipse(kFlameX, kFlameY + 2, 2.4, 6, kGoldLight);
  canvas.FillEllipse(kFlameX, kFlameY + 6, 1.4, 2, kParchmentLight);
}

void PaintInkwellAndQuill(CCanvas& canvas) {
  canvas.FillEllipse(22, 84, 10, 3, kInk);
  canvas.FillPolygon({13.0, 84, 15, 72, 29, 72, 31, 84}, kNight);
  canvas.FillRect(17, 68, 10, 5, kInk);
  canvas.Line(15, 75, 15, 81, kSky);
  // The quill leans out of the well, its vane curving to the top left.
  for (int i = 0; i < 40; ++i) {
    const double t = i / 39.0;
    const double x = 24 - t * 16 + std::sin(t * 3) * 2;
    const double y = 70 - t * 52;
    const double width = std::sin(t * M_PI) * 5;
    canvas.Line(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x - width), static_cast<int>(y + width * 0.4), kParchmentLight);
    canvas.Line(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + width * 0.6), static_cast<int>(y + width * 0.6), kSky);
    canvas.Set(static_cast<int>(x), static_cast<int>(y), kParchmentDark);
  }
}

}  // namespace

CCanvas PaintTitlePicture() {
  CCanvas canvas(kWidth, kHeight);
  PaintRoom(canvas);
  PaintBook(canvas);
  PaintCandle(canvas);
  PaintInkwellAndQuill(canvas);
  return canvas;
}
