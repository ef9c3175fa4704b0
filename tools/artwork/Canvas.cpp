#include "tools/artwork/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

Colour Mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto channel = [t](uint8_t from, uint8_t to) {
    return static_cast<uint8_t>(std::lround(from + (to - from) * t));
  };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

double DitherThreshold(int x, int y) {
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (kBayer[y & 3][x & 3] + 0.5) / 16.0;
}

namespace {

double Lattice(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0x1000000);
}

double Smooth(double t) { return t * t * (3 - 2 * t); }

}  // namespace

double Noise(double x, double y, uint32_t seed) {
  const int x0 = static_cast<int>(std::floor(x));
  const int y0 = static_cast<int>(std::floor(y));
  const double fx = Smooth(x - x0);
  const double fy = Smooth(y - y0);
  const double top = Lattice(x0, y0, seed) * (1 - fx) + Lattice(x0 + 1, y0, seed) * fx;
  const double bottom = Lattice(x0, y0 + 1, seed) * (1 - fx) + Lattice(x0 + 1, y0 + 1, seed) * fx;
  return top * (1 - fy) + bottom * fy;
}

CCanvas::CCanvas(int width, int height, Colour fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

void CCanvas::Set(int x, int y, Colour colour) {
  if (Contains(x, y)) m_pixels[Index(x, y)] = colour;
}

void CCanvas::FillRect(int x, int y, int width, int height, Colour colour) {
  for (int row = y; row < y + height; ++row)
    for (int column = x; column < x + width; ++column) Set(column, row, colour);
}

void CCanvas::Line(int x0, int y0, int x1, int y1, Colour colour) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

void CCanvas::FillEllipse(double cx, double cy, double rx, double ry, Colour colour) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      const double nx = (x + 0.5 - cx) / rx;
      const double ny = (y + 0.5 - cy) / ry;
      if (nx * nx + ny * ny <= 1.0) Set(x, y, colour);
    }
}

void CCanvas::FillPolygon(const std::vector<double>& points, Colour colour) {
  const size_t count = points.size() / 2;
  if (count < 3) return;
  for (int y = 0; y < m_height; ++y) {
    const double py = y + 0.5;
    std::vector<double> crossings;
    for (size_t i = 0; i < count; ++i) {
      const double x0 = points[2 * i], y0 = points[2 * i + 1];
      const double x1 = points[2 * ((i + 1) % count)], y1 = points[2 * ((i + 1) % count) + 1];
      if ((y0 <= py && y1 > py) || (y1 <= py && y0 > py))
        crossings.push_back(x0 + (py - y0) / (y1 - y0) * (x1 - x0));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5)); x + 0.5 <= crossings[i + 1]; ++x) Set(x, y, colour);
  }
}

void CCanvas::Glyph(int x, int y, const std::vector<const char*>& rows, Colour colour) {
  for (size_t row = 0; row < rows.size(); ++row)
    for (int column = 0; rows[row][column]; ++column)
      if (rows[row][column] == '#') Set(x + column, y + static_cast<int>(row), colour);
}

void CCanvas::Paste(const CCanvas& other, int x, int y) {
  for (int row = 0; row < other.Height(); ++row)
    for (int column = 0; column < other.Width(); ++column) Set(x + column, y + row, other.Get(column, row));
}

CCanvas CCanvas::Crop(int x, int y, int width, int height) const {
  CCanvas part(width, height);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      if (Contains(x + column, y + row)) part.Set(column, row, Get(x + column, y + row));
  return part;
}
