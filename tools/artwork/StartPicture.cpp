// The start picture: a castle on a hill under a starry dusk sky, a path winding up to it
// through the dark meadows, a crescent moon, and fireflies under an old tree.
#include <algorithm>
#include <cmath>

#include "tools/artwork/Storybook.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 112;

// A ramp of colours from a to b in steps, picked per pixel with ordered dithering.
class CRamp {
 public:
  CRamp(std::vector<Colour> stops, int steps) {
    for (int i = 0; i < steps; ++i) {
      const double t = i / double(steps - 1) * (stops.size() - 1);
      const size_t at = std::min(static_cast<size_t>(t), stops.size() - 2);
      m_colours.push_back(Mix(stops[at], stops[at + 1], t - at));
    }
  }
  Colour At(double t, int x, int y) const {
    const double scaled = std::clamp(t, 0.0, 1.0) * (m_colours.size() - 1);
    size_t index = static_cast<size_t>(scaled);
    if (scaled - index > DitherThreshold(x, y) && index + 1 < m_colours.size()) ++index;
    return m_colours[index];
  }

 private:
  std::vector<Colour> m_colours;
};

const CRamp& Sky() {
  static const CRamp ramp({{12, 16, 48}, {30, 34, 86}, {86, 62, 124}, {178, 102, 118}, {236, 160, 104}}, 28);
  return ramp;
}

double SkyLevel(int y) { return std::pow(y / 74.0, 1.35); }

double Ridge(double x, double base, double height, double scale, uint32_t seed) {
  return base - height * (Noise(x * scale, 0.5, seed) * 0.7 + Noise(x * scale * 3, 1.5, seed + 1) * 0.3);
}

void PaintSky(CCanvas& canvas) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      // The moon brightens the sky around it a little.
      const double dx = x - 158.0, dy = y - 20.0;
      const double glow = std::max(0.0, 1 - std::sqrt(dx * dx + dy * dy) / 30) * 0.18;
      canvas.Set(x, y, Sky().At(SkyLevel(y) + glow, x, y));
    }
}

void PaintStars(CCanvas& canvas) {
  const Colour dim{150, 150, 196}, bright{250, 244, 214};
  for (int i = 0; i < 70; ++i) {
    const int x = static_cast<int>(Noise(i * 7.31, 0.3, 21) * 997) % kWidth;
    const int y = static_cast<int>(Noise(i * 3.17, 1.7, 22) * 991) % 50;
    if (std::abs(x - 158) < 14 && std::abs(y - 20) < 14) continue;
    canvas.Set(x, y, i % 9 == 0 ? bright : dim);
    if (i % 9 == 0) {
      canvas.Set(x - 1, y, dim);
      canvas.Set(x + 1, y, dim);
      canvas.Set(x, y - 1, dim);
      canvas.Set(x, y + 1, dim);
    }
  }
}

void PaintMoon(CCanvas& canvas) {
  const Colour moon{250, 238, 196}, shade{220, 204, 160};
  CCanvas disc(24, 24, {0, 0, 0});
  disc.FillCircle(12, 12, 9, moon);
  disc.FillCircle(15.5, 9.5, 8.2, {0, 0, 0});
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      if (disc.Get(x, y) == moon) canvas.Set(146 + x, 8 + y, x > 8 && y > 4 ? shade : moon);
}

void PaintMountains(CCanvas& canvas) {
  const CRamp far({{96, 74, 134}, {64, 56, 110}}, 4);
  const CRamp near({{44, 48, 88}, {28, 34, 62}}, 4);
  for (int x = 0; x < kWidth; ++x) {
    const double farTop = Ridge(x, 70, 26, 0.035, 31);
    const double nearTop = Ridge(x, 84, 16, 0.05, 41) - std::max(0.0, 14 - std::abs(x - 76) * 0.45);
    for (int y = 0; y < kHeight; ++y) {
      if (y >= nearTop)
        canvas.Set(x, y, near.At((y - nearTop) / 30.0, x, y));
      else if (y >= farTop)
        canvas.Set(x, y, far.At((y - farTop) / 24.0, x, y));
    }
  }
}

void PaintCastle(CCanvas& canvas) {
  const Colour stone{22, 24, 44}, window{252, 212, 112}, flag{170, 54, 48};
  // Curtain wall, keep and towers with pointed roofs.
  canvas.FillRect(62, 58, 30, 14, stone);
  canvas.FillRect(70, 46, 14, 14, stone);
  for (int tower : {58, 88}) {
    canvas.FillRect(tower, 52, 8, 20, stone);
    canvas.FillPolygon({tower - 1.0, 52, tower + 4.0, 41, tower + 9.0, 52}, stone);
  }
  canvas.FillPolygon({69.0, 46, 77.0, 32, 85.0, 46}, stone);
  for (int x = 62; x < 92; x += 3) canvas.FillRect(x, 56, 2, 2, stone);
  canvas.Line(77, 32, 77, 27, stone);
  canvas.FillPolygon({78.0, 27, 83.0, 28.5, 78.0, 30}, flag);
  // Lit windows and the gate.
  for (auto [x, y] : {std::pair{74, 50}, {79, 50}, {61, 57}, {91, 57}, {68, 62}, {85, 62}}) {
    canvas.Set(x, y, window);
    canvas.Set(x, y + 1, window);
  }
  canvas.FillRect(75, 65, 4, 7, {90, 60, 40});
  canvas.FillRect(76, 66, 2, 6, window);
}

void PaintMeadow(CCanvas& canvas) {
  const CRamp grass({{34, 62, 52}, {20, 40, 36}, {12, 24, 24}}, 6);
  const CRamp path({{190, 160, 118}, {120, 96, 76}}, 4);
  for (int x = 0; x < kWidth; ++x) {
    const double top = 86 + 6 * std::sin(x * 0.03 + 1) - 4 * Noise(x * 0.08, 2.5, 51);
    for (int y = static_cast<int>(top); y < kHeight; ++y) {
      const double t = (y - top) / (kHeight - top + 1);
      canvas.Set(x, y, grass.At(t + (Noise(x * 0.3, y * 0.3, 52) - 0.5) * 0.3, x, y));
    }
  }
  // The path winds from the bottom towards the castle gate, narrowing with distance.
  for (int y = 72; y < kHeight; ++y) {
    const double t = (y - 72) / double(kHeight - 72);
    const double centre = 77 + std::sin(t * 5.2) * 18 * t + t * 10;
    const double half = 0.8 + t * t * 10;
    for (int x = static_cast<int>(centre - half); x <= static_cast<int>(centre + half); ++x)
      canvas.Set(x, y, path.At(t * 0.3 + (x > centre ? 0.5 : 0.0), x, y));
  }
}

void PaintTree(CCanvas& canvas) {
  const Colour bark{16, 22, 22}, leaves{14, 30, 28}, leavesLit{28, 50, 52};
  canvas.FillPolygon({170.0, 112, 175.0, 70, 180.0, 70, 186.0, 112}, bark);
  canvas.Line(176, 80, 160, 66, bark);
  canvas.Line(177, 80, 161, 66, bark);
  canvas.Line(179, 76, 194, 62, bark);
  for (int i = 0; i < 14; ++i) {
    const double x = 150 + Noise(i * 1.3, 4.1, 61) * 56;
    const double y = 44 + Noise(i * 2.1, 5.3, 62) * 28;
    const double r = 6 + Noise(i * 0.7, 6.1, 63) * 6;
    canvas.FillCircle(x, y, r, leaves);
    canvas.FillCircle(x - r * 0.3, y - r * 0.35, r * 0.45, leavesLit);
  }
}

void PaintFireflies(CCanvas& canvas) {
  const Colour glow{120, 140, 60}, spark{244, 250, 150};
  for (int i = 0; i < 9; ++i) {
    const int x = 112 + static_cast<int>(Noise(i * 1.9, 7.7, 71) * 80);
    const int y = 80 + static_cast<int>(Noise(i * 2.3, 8.1, 72) * 26);
    canvas.Set(x - 1, y, glow);
    canvas.Set(x + 1, y, glow);
    canvas.Set(x, y - 1, glow);
    canvas.Set(x, y + 1, glow);
    canvas.Set(x, y, spark);
  }
}

}  // namespace

CCanvas PaintStartPicture() {
  CCanvas canvas(kWidth, kHeight);
  PaintSky(canvas);
  PaintStars(canvas);
  PaintMoon(canvas);
  PaintMountains(canvas);
  PaintCastle(canvas);
  PaintMeadow(canvas);
  PaintTree(canvas);
  PaintFireflies(canvas);
  return canvas;
}
