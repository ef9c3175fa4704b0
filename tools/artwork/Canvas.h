#pragma once
// A small RGB drawing surface for the program's pixel art: shapes, gradients with ordered
// dithering and a deterministic noise, so every run paints exactly the same pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

struct Colour {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Colour& other) const { return r == other.r && g == other.g && b == other.b; }
  bool operator!=(const Colour& other) const { return !(*this == other); }
};

// The colour a fraction t (0 to 1) of the way from a to b.
Colour Mix(Colour a, Colour b, double t);

// A 4 × 4 ordered-dither threshold in (0, 1) for pixel (x, y).
double DitherThreshold(int x, int y);

// Smooth value noise in [0, 1) at a point; the same seed and point always give the same value.
double Noise(double x, double y, uint32_t seed);

class CCanvas {
 public:
  CCanvas(int width, int height, Colour fill = {});

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
  Colour Get(int x, int y) const { return m_pixels[Index(x, y)]; }
  // Points outside the canvas are ignored by every drawing call.
  void Set(int x, int y, Colour colour);

  void FillRect(int x, int y, int width, int height, Colour colour);
  void Line(int x0, int y0, int x1, int y1, Colour colour);
  void FillEllipse(double cx, double cy, double rx, double ry, Colour colour);
  void FillCircle(double cx, double cy, double radius, Colour colour) { FillEllipse(cx, cy, radius, radius, colour); }
  // Fills the polygon given as x, y pairs (even-odd rule, pixel centres).
  void FillPolygon(const std::vector<double>& points, Colour colour);
  // Draws a glyph given as rows of characters: '#' pixels take colour, others stay.
  void Glyph(int x, int y, const std::vector<const char*>& rows, Colour colour);
  // Copies another canvas with its top-left corner at (x, y).
  void Paste(const CCanvas& other, int x, int y);
  // The part of this canvas at (x, y) of the given size.
  CCanvas Crop(int x, int y, int width, int height) const;

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x); }

  int m_width;
  int m_height;
  std::vector<Colour> m_pixels;
};
