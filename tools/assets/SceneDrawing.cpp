#include "tools/assets/SceneDrawing.h"

#include <algorithm>
#include <cmath>

namespace scene_drawing {

void Gradient(CPixelCanvas& canvas, int y0, int y1, const Stops& stops) {
  for (int y = y0; y <= y1; ++y) {
    double t = y1 == y0 ? 0.0 : static_cast<double>(y - y0) / (y1 - y0);
    for (int x = 0; x < canvas.Width(); ++x) canvas.Set(x, y, CPixelCanvas::Dither(stops, t, x, y));
  }
}

void Stars(CPixelCanvas& canvas, uint32_t seed, int count, int maxY, uint8_t star, uint8_t bright) {
  CPixelRandom random(seed);
  for (int i = 0; i < count; ++i) {
    int x = random.Below(canvas.Width()), y = random.Below(maxY);
    canvas.Set(x, y, random.Below(4) == 0 ? bright : star);
  }
}

void Strokes(CPixelCanvas& canvas, uint32_t seed, int count, int x0, int x1, int y0, int y1, uint8_t colour) {
  CPixelRandom random(seed);
  for (int i = 0; i < count; ++i) {
    int x = x0 + random.Below(x1 - x0 + 1), y = y0 + random.Below(y1 - y0 + 1);
    int length = 1 + random.Below(2 + (y - y0) / 4);
    canvas.Line(x, y, x + length, y, colour);
  }
}

void Crown(CPixelCanvas& canvas, uint32_t seed, double cx, double cy, double rx, double ry, const Stops& colours) {
  CPixelRandom random(seed);
  // Back to front: the lower, darker clumps first, the lit top clumps last.
  const int clumps = static_cast<int>(rx * ry / 9) + 6;
  for (int i = 0; i < clumps; ++i) {
    double angle = random.Below(628) / 100.0, distance = std::sqrt(random.Below(1000) / 1000.0);
    double x = cx + std::cos(angle) * rx * distance, y = cy + std::sin(angle) * ry * distance;
    double size = 3 + random.Below(static_cast<int>(rx / 3) + 2);
    double height = (y - (cy - ry)) / (2 * ry);  // 0 at the top, 1 at the bottom
    size_t shade = static_cast<size_t>(std::fmin(colours.size() - 1, (1.0 - height) * colours.size() * 0.5 +
                                                                         random.Below(static_cast<int>(colours.size()))) );
    canvas.FillDisc(x, y, size, size * 0.8, colours[shade % colours.size()]);
  }
  // Specks of light on the top clumps.
  for (int i = 0; i < clumps * 2; ++i) {
    double angle = random.Below(628) / 100.0, distance = std::sqrt(random.Below(1000) / 1000.0);
    int x = static_cast<int>(cx + std::cos(angle) * rx * distance);
    int y = static_cast<int>(cy - std::fabs(std::sin(angle)) * ry * distance);
    canvas.Set(x, y, colours.back());
  }
}

void Trunk(CPixelCanvas& canvas, int x, int baseY, int topY, int width, uint8_t dark, uint8_t mid, uint8_t light) {
  for (int y = topY; y <= baseY; ++y) {
    double t = static_cast<double>(y - topY) / std::max(1, baseY - topY);
    int half = static_cast<int>(std::lround(width * (0.35 + 0.15 * t * t)));
    for (int dx = -half; dx <= half; ++dx) {
      double across = (dx + half) / static_cast<double>(2 * half + 1);
      uint8_t colour = CPixelCanvas::Dither({light, mid, mid, dark}, across, x + dx, y);
      if ((dx + y / 5) % 5 == 0 && std::abs(dx) < half) colour = dark;  // furrows in the bark
      canvas.Set(x + dx, y, colour);
    }
  }
  // Roots spreading at the foot.
  canvas.FillPolygon({{x - width * 0.9, static_cast<double>(baseY + 1)}, {x - width * 0.4, baseY - 6.0},
                      {x + width * 0.4, baseY - 6.0}, {x + width * 0.9, static_cast<double>(baseY + 1)}}, dark);
}

void Glow(CPixelCanvas& canvas, double cx, double cy, double radius, const Stops& light) {
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
      if (d >= 1.0) continue;
      double strength = (1.0 - d) * (1.0 - d);
      if (strength * 1.6 > (CPixelCanvas::Bayer(x, y) + 0.5) / 16.0) canvas.Set(x, y, CPixelCanvas::Dither(light, d, x, y));
    }
}

void Flame(CPixelCanvas& canvas, double cx, double baseY, double height, double lean, const Stops& layers,
           double shrink) {
  for (size_t layer = 0; layer < layers.size(); ++layer) {
    double scale = 1.0 - layer * shrink;
    double h = height * scale, w = height * 0.28 * scale;
    std::vector<Point> shape;
    for (int i = 0; i <= 24; ++i) {
      double a = M_PI * i / 24.0;  // around the round bottom
      shape.push_back({cx + w * std::cos(a), baseY - w + w * std::sin(a)});
    }
    shape.push_back({cx - w * 0.8 + lean * 0.4, baseY - h * 0.55});
    shape.push_back({cx + lean, baseY - h});
    shape.push_back({cx + w * 0.8 + lean * 0.4, baseY - h * 0.55});
    canvas.FillPolygon(shape, layers[layer]);
  }
}

}  // namespace scene_drawing
