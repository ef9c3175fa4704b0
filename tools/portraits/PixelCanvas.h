#pragma once
// A small picture painted in the entries of a colour table: shapes filled with one entry each,
// so every run paints exactly the same pixels.
#include <cstdint>
#include <vector>

#include "ui/DibBitmap.h"

class CPixelCanvas {
 public:
  CPixelCanvas(int width, int height, uint8_t fill);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  uint8_t Get(int x, int y) const { return m_pixels[Index(x, y)]; }
  // Points outside the canvas are ignored by every drawing call.
  void Set(int x, int y, uint8_t colour);
  void FillRect(int x, int y, int width, int height, uint8_t colour);
  // Pixels whose centres lie inside the ellipse.
  void FillEllipse(double cx, double cy, double rx, double ry, uint8_t colour);
  // The polygon given as x, y pairs (even-odd rule, pixel centres).
  void FillPolygon(const std::vector<double>& points, uint8_t colour);
  void Line(int x0, int y0, int x1, int y1, uint8_t colour);
  // Replaces one colour by another inside a rectangle (shading a shape already painted).
  void Recolour(int x, int y, int width, int height, uint8_t from, uint8_t to);

  // The picture as an 8-bit pixel store with the given colour table.
  DibBitmap ToDib(const std::vector<Rgb>& colours) const;

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x); }

  int m_width;
  int m_height;
  std::vector<uint8_t> m_pixels;
};
