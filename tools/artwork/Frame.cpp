// The picture frame: carved dark wood with mitred corners, a gilded bead, a burgundy mat and
// gold rosettes, painted as one 248 × 160 picture and cut into its four pieces by the caller.
#include <cmath>
#include <cstdlib>

#include "tools/artwork/Storybook.h"

using namespace storybook;

namespace {

constexpr int kWidth = 248;
constexpr int kHeight = 160;
constexpr int kBorder = 24;

enum class Side { Top, Bottom, Left, Right };

// Wood grain along the side: lighter and darker streaks, dithered between three browns.
Colour Grain(int along, int across, bool lit, int x, int y) {
  const double streak = Noise(along * 0.11, across * 0.9, 7) * 0.7 + Noise(along * 0.5, across * 1.7, 11) * 0.3;
  double shade = streak + (lit ? 0.12 : -0.12);
  if (shade + (DitherThreshold(x, y) - 0.5) * 0.25 > 0.62) return kWoodLight;
  if (shade + (DitherThreshold(x, y) - 0.5) * 0.25 < 0.38) return kWoodDark;
  return kWood;
}

Colour Profile(int x, int y) {
  const int fromTop = y, fromBottom = kHeight - 1 - y, fromLeft = x, fromRight = kWidth - 1 - x;
  const int depth = std::min(std::min(fromTop, fromBottom), std::min(fromLeft, fromRight));
  Side side = depth == fromTop ? Side::Top : depth == fromBottom ? Side::Bottom : depth == fromLeft ? Side::Left : Side::Right;
  const bool lit = side == Side::Top || side == Side::Left;
  const bool horizontal = side == Side::Top || side == Side::Bottom;
  // The mitre: where two sides meet on the diagonal.
  const int sides = (depth == fromTop) + (depth == fromBottom) + (depth == fromLeft) + (depth == fromRight);
  if (depth == 0 || depth == 14 || depth == 19 || depth == 23) return kInk;
  if (depth <= 13 && sides > 1) return kWoodDark;
  if (depth == 1) return lit ? kWoodLight : kWoodDark;
  if (depth <= 12) return Grain(horizontal ? x : y, depth, lit, x, y);
  if (depth == 13) return kWoodDark;
  if (depth == 15) return kGoldDark;
  if (depth == 16) return lit ? kGoldLight : kGold;
  if (depth == 17) return lit ? kGold : kGoldDark;
  if (depth == 18) return kGoldDark;
  // The mat: burgundy, a touch of red where the light falls on it.
  if (depth == 20 && lit) return kRed;
  return kBurgundy;
}

void Rosette(CCanvas& canvas, int cx, int cy) {
  canvas.FillCircle(cx + 0.5, cy + 0.5, 5.6, kInk);
  canvas.FillCircle(cx + 0.5, cy + 0.5, 4.6, kGoldDark);
  for (int i = 0; i < 8; ++i) {
    const double angle = i * M_PI / 4;
    canvas.FillCircle(cx + 0.5 + std::cos(angle) * 2.6, cy + 0.5 + std::sin(angle) * 2.6, 1.4,
                      i % 2 ? kGold : kGoldLight);
  }
  canvas.FillCircle(cx + 0.5, cy + 0.5, 1.6, kRed);
  canvas.Set(cx - 1, cy - 1, kGoldLight);
}

// A small gilded diamond with a garnet, set into the middle of a side.
void Jewel(CCanvas& canvas, int cx, int cy, bool horizontal) {
  const double rx = horizontal ? 9 : 4.5, ry = horizontal ? 4.5 : 9;
  canvas.FillPolygon({cx - rx - 1, cy + 0.5, cx + 0.5, cy - ry - 1, cx + rx + 2, cy + 0.5, cx + 0.5, cy + ry + 2}, kInk);
  canvas.FillPolygon({cx - rx, cy + 0.5, cx + 0.5, cy - ry, cx + rx + 1, cy + 0.5, cx + 0.5, cy + ry + 1}, kGold);
  canvas.FillPolygon({cx - rx, cy + 0.5, cx + 0.5, cy - ry, cx + 0.5, cy + 0.5}, kGoldLight);
  canvas.FillPolygon({cx + 0.5, cy + ry + 1, cx + rx + 1, cy + 0.5, cx + 0.5, cy + 0.5}, kGoldDark);
  canvas.FillCircle(cx + 0.5, cy + 0.5, 2.2, kBurgundy);
  canvas.FillCircle(cx + 0.5, cy + 0.5, 1.3, kRed);
  canvas.Set(cx - 1, cy - 1, kParchmentLight);
}

// Gold studs along the wood, between the ornaments.
void Studs(CCanvas& canvas) {
  for (int x = 30; x < kWidth - 24; x += 22) {
    if (std::abs(x - kWidth / 2) < 16) continue;
    for (int y : {7, kHeight - 8}) {
      canvas.Set(x, y, kGoldLight);
      canvas.Set(x + 1, y, kGold);
      canvas.Set(x, y + 1, kGold);
      canvas.Set(x + 1, y + 1, kGoldDark);
    }
  }
  for (int y = 36; y < kHeight - 24; y += 22) {
    if (std::abs(y - kHeight / 2) < 16) continue;
    for (int x : {7, kWidth - 8}) {
      canvas.Set(x, y, kGoldLight);
      canvas.Set(x + 1, y, kGold);
      canvas.Set(x, y + 1, kGold);
      canvas.Set(x + 1, y + 1, kGoldDark);
    }
  }
}

}  // namespace

CCanvas PaintFrame() {
  CCanvas canvas(kWidth, kHeight, kParchment);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int depth = std::min(std::min(y, kHeight - 1 - y), std::min(x, kWidth - 1 - x));
      if (depth < kBorder) canvas.Set(x, y, Profile(x, y));
    }
  Studs(canvas);
  Rosette(canvas, 7, 7);
  Rosette(canvas, kWidth - 8, 7);
  Rosette(canvas, 7, kHeight - 8);
  Rosette(canvas, kWidth - 8, kHeight - 8);
  Jewel(canvas, kWidth / 2 - 1, 7, true);
  Jewel(canvas, kWidth / 2 - 1, kHeight - 8, true);
  Jewel(canvas, 7, kHeight / 2 - 1, false);
  Jewel(canvas, kWidth - 8, kHeight / 2 - 1, false);
  return canvas;
}
