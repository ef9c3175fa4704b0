#pragma once
// A small palette canvas for drawing pixel art in code: rectangles, discs, polygons, lines and
// dithered gradients, all deterministic so that the pictures come out byte for byte the same.
#include <cstdint>
#include <functional>
#include <vector>

#include "picture/DibBitmap.h"  // Rgb


struct Point {
  double x, y;
};

class CPixelCanvas {
 public:
  // Every pixel starts as palette entry fill.
  CPixelCanvas(int width, int height, const std::vector<Rgb>& palette, uint8_t fill = 0);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const std::vector<Rgb>& Palette() const { return m_palette; }
  const std::vector<uint8_t>& Pixels() const { return m_pixels; }  // top row first

  void Set(int x, int y, uint8_t color);
  uint8_t Get(int x, int y) const;
  void FillRect(int x0, int y0, int x1, int y1, uint8_t color);  // inclusive corners
  void FillDisc(double cx, double cy, double rx, double ry, uint8_t color);
  void FillPolygon(const std::vector<Point>& points, uint8_t color);
  void Line(int x0, int y0, int x1, int y1, uint8_t color);
  // Replaces one colour by another inside the rectangle (shading a shape already painted).
  void Recolour(int x0, int y0, int x1, int y1, uint8_t from, uint8_t to);  // inclusive corners

  // Paints every pixel for which paint gives a colour (a negative value leaves it).
  void Paint(const std::function<int(int x, int y)>& paint);

  // Colour between stops at position t in [0, 1], ordered-dithered at (x, y).
  static uint8_t Dither(const std::vector<uint8_t>& stops, double t, int x, int y);
  // The 4x4 ordered-dither matrix's entry for a pixel, 0 to 15.
  static int Bayer(int x, int y);

 private:
  int m_width, m_height;
  std::vector<Rgb> m_palette;
  std::vector<uint8_t> m_pixels;
};

// A small deterministic random source (the pictures must not depend on the C library).
class CPixelRandom {
 public:
  explicit CPixelRandom(uint32_t seed) : m_state(seed) {}
  uint32_t Next() {
    m_state = m_state * 1664525u + 1013904223u;
    return m_state >> 8;
  }
  int Below(int limit) { return static_cast<int>(Next() % static_cast<uint32_t>(limit)); }

 private:
  uint32_t m_state;
};
