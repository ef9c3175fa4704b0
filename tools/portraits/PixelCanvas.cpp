#include "tools/portraits/PixelCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

CPixelCanvas::CPixelCanvas(int width, int height, uint8_t fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

void CPixelCanvas::Set(int x, int y, uint8_t colour) {
  if (x >= 0 && y >= 0 && x < m_width && y < m_height) m_pixels[Index(x, y)] = colour;
}

void CPixelCanvas::FillRect(int x, int y, int width, int height, uint8_t colour) {
  for (int row = y; row < y + height; ++row)
    for (int column = x; column < x + width; ++column) Set(column, row, colour);
}

void CPixelCanvas::FillEllipse(double cx, double cy, double rx, double ry, uint8_t colour) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Set(x, y, colour);
    }
}

void CPixelCanvas::FillPolygon(const std::vector<double>& points, uint8_t colour) {
  const size_t corners = points.size() / 2;
  if (corners < 3) return;
  for (int y = 0; y < m_height; ++y) {
    const double py = y + 0.5;
    std::vector<double> crossings;
    for (size_t i = 0; i < corners; ++i) {
      const double x0 = points[2 * i], y0 = points[2 * i + 1];
      const double x1 = points[2 * ((i + 1) % corners)], y1 = points[2 * ((i + 1) % corners) + 1];
      if ((y0 <= py) != (y1 <= py)) crossings.push_back(x0 + (py - y0) * (x1 - x0) / (y1 - y0));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5)); x + 0.5 <= crossings[i + 1]; ++x)
        Set(x, y, colour);
  }
}

void CPixelCanvas::Line(int x0, int y0, int x1, int y1, uint8_t colour) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (true) {
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

void CPixelCanvas::Recolour(int x, int y, int width, int height, uint8_t from, uint8_t to) {
  for (int row = std::max(y, 0); row < std::min(y + height, m_height); ++row)
    for (int column = std::max(x, 0); column < std::min(x + width, m_width); ++column)
      if (Get(column, row) == from) Set(column, row, to);
}

DibBitmap CPixelCanvas::ToDib(const std::vector<Rgb>& colours) const {
  DibBitmap dib;
  dib.header.biWidth = m_width;
  dib.header.biHeight = m_height;
  dib.header.biBitCount = 8;
  dib.header.biClrUsed = static_cast<uint32_t>(colours.size());
  for (const Rgb& colour : colours) dib.colors.push_back(RgbQuad{colour.blue, colour.green, colour.red, 0});
  const size_t stride = dib.Stride();
  dib.header.biSizeImage = static_cast<uint32_t>(stride * static_cast<size_t>(m_height));
  dib.bits.assign(stride * static_cast<size_t>(m_height), 0);
  for (int y = 0; y < m_height; ++y)  // bottom row first
    std::copy_n(&m_pixels[Index(0, y)], m_width, &dib.bits[stride * static_cast<size_t>(m_height - 1 - y)]);
  return dib;
}
