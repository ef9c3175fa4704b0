#include "tools/assets/PixelCanvas.h"

#include <algorithm>
#include <cmath>

namespace {

const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

CPixelCanvas::CPixelCanvas(int width, int height, const std::vector<Rgb>& palette, uint8_t fill)
    : m_width(width), m_height(height), m_palette(palette), m_pixels(static_cast<size_t>(width) * height, fill) {}

void CPixelCanvas::Set(int x, int y, uint8_t color) {
  if (x >= 0 && y >= 0 && x < m_width && y < m_height) m_pixels[static_cast<size_t>(y) * m_width + x] = color;
}

uint8_t CPixelCanvas::Get(int x, int y) const {
  x = std::clamp(x, 0, m_width - 1);
  y = std::clamp(y, 0, m_height - 1);
  return m_pixels[static_cast<size_t>(y) * m_width + x];
}

void CPixelCanvas::FillRect(int x0, int y0, int x1, int y1, uint8_t color) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) Set(x, y, color);
}

void CPixelCanvas::FillDisc(double cx, double cy, double rx, double ry, uint8_t color) {
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y) {
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Set(x, y, color);
    }
  }
}

void CPixelCanvas::FillPolygon(const std::vector<Point>& points, uint8_t color) {
  // Even-odd scanlines through pixel centres.
  for (int y = 0; y < m_height; ++y) {
    double sy = y + 0.5;
    std::vector<double> crossings;
    for (size_t i = 0; i < points.size(); ++i) {
      const Point& a = points[i];
      const Point& b = points[(i + 1) % points.size()];
      if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
        crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      int from = static_cast<int>(std::ceil(crossings[i] - 0.5));
      int to = static_cast<int>(std::floor(crossings[i + 1] - 0.5));
      for (int x = from; x <= to; ++x) Set(x, y, color);
    }
  }
}

void CPixelCanvas::Line(int x0, int y0, int x1, int y1, uint8_t color) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Set(x0, y0, color);
    if (x0 == x1 && y0 == y1) break;
    int twice = 2 * error;
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

void CPixelCanvas::Recolour(int x0, int y0, int x1, int y1, uint8_t from, uint8_t to) {
  for (int y = std::max(y0, 0); y <= std::min(y1, m_height - 1); ++y)
    for (int x = std::max(x0, 0); x <= std::min(x1, m_width - 1); ++x)
      if (Get(x, y) == from) Set(x, y, to);
}

void CPixelCanvas::Paint(const std::function<int(int x, int y)>& paint) {
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) {
      int color = paint(x, y);
      if (color >= 0) Set(x, y, static_cast<uint8_t>(color));
    }
}

int CPixelCanvas::Bayer(int x, int y) { return kBayer[y & 3][x & 3]; }

uint8_t CPixelCanvas::Dither(const std::vector<uint8_t>& stops, double t, int x, int y) {
  if (stops.size() == 1) return stops[0];
  double position = std::clamp(t, 0.0, 1.0) * static_cast<double>(stops.size() - 1);
  size_t index = std::min(static_cast<size_t>(position), stops.size() - 2);
  double fraction = position - static_cast<double>(index);
  double threshold = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
  return fraction > threshold ? stops[index + 1] : stops[index];
}
