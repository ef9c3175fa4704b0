// The option buttons: a gold coin with an engraved digit on a plain corner colour. The pressed
// coin is lit from the other side, a shade darker, with its digit pushed in.
#include <algorithm>
#include <cmath>

#include "tools/artwork/Storybook.h"

using namespace storybook;

const Colour kButtonCorner{255, 0, 255};

namespace {

const std::vector<const char*>& DigitGlyph(int digit) {
  static const std::vector<const char*> kDigits[4] = {
      {"..##..", ".###..", "####..", "..##..", "..##..", "..##..", "..##..", "..##..", "######"},
      {".####.", "##..##", "....##", "...##.", "..##..", ".##...", "##....", "##..##", "######"},
      {".####.", "##..##", "....##", "....##", "..###.", "....##", "....##", "##..##", ".####."},
      {"....##", "...###", "..####", ".##.##", "##..##", "######", "....##", "....##", "...###"},
  };
  return kDigits[std::clamp(digit, 1, 4) - 1];
}

// A ramp of gold from shadow to highlight, in a fixed number of steps.
Colour GoldShade(double light) {
  constexpr int kSteps = 12;
  const int step = std::clamp(static_cast<int>(light * kSteps), 0, kSteps - 1);
  const double t = step / double(kSteps - 1);
  return t < 0.5 ? Mix(kGoldDark, kGold, t * 2) : Mix(kGold, kGoldLight, (t - 0.5) * 2);
}

}  // namespace

CCanvas PaintOptionButton(int digit, bool pressed) {
  constexpr double kCentre = 12.5;
  CCanvas canvas(25, 25, kButtonCorner);
  // Light falls from the top left; the pressed coin takes it from the bottom right.
  double lx = -0.5, ly = -0.6, lz = 0.62;
  if (pressed) {
    lx = -lx;
    ly = -ly;
  }
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 25; ++x) {
      const double dx = x + 0.5 - kCentre, dy = y + 0.5 - kCentre;
      const double r = std::sqrt(dx * dx + dy * dy);
      if (r > 11.5) continue;
      if (r > 10.6) {
        canvas.Set(x, y, kInk);
        continue;
      }
      // A raised rim around a gently domed face.
      const double curve = r > 8.2 ? 0.9 : 0.35;
      const double nx = dx / 11.5 * curve, ny = dy / 11.5 * curve;
      const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
      double light = (nx * lx + ny * ly + nz * lz) / std::sqrt(lx * lx + ly * ly + lz * lz);
      light = (light - 0.35) / 0.65;
      if (pressed) light -= 0.12;
      if (r > 7.6 && r <= 8.2) light -= 0.35;  // the groove between rim and face
      canvas.Set(x, y, GoldShade(light));
    }
  const int offset = pressed ? 1 : 0;
  const int gx = 9 + offset, gy = 8 + offset;
  // Engraved: a highlight on the lower edge, the cut itself in dark burgundy.
  canvas.Glyph(gx + 1, gy + 1, DigitGlyph(digit), pressed ? kGold : kGoldLight);
  canvas.Glyph(gx, gy, DigitGlyph(digit), kBurgundy);
  return canvas;
}
