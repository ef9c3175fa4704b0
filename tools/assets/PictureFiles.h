#pragma once
// Picture files of the demo stories in the formats the player reads: BMP with 4, 8 or 24 bits
// per pixel and PNG with a palette or in true colour. The same pixels always give the same bytes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/assets/PixelCanvas.h"

// A true-colour picture, top row first.
struct RgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<Rgb> Pixels;

  Rgb& At(int x, int y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The canvas with its palette looked up.
RgbPicture ToRgb(const CPixelCanvas& canvas);

// Lights a picture: light gives, for each pixel, a factor per channel (1 leaves it, below
// darkens, above brightens); the results are rounded and clipped to 0..255.
struct Light {
  double r, g, b;
};
void ApplyLight(RgbPicture& picture, const std::function<Light(int x, int y)>& light);

// BMP with 8 bits per pixel and the canvas's palette in 256 entries, bottom-up.
std::string EncodeBmp8(const CPixelCanvas& canvas);
// BMP with 4 bits per pixel: every pixel must be below 16; the first 16 palette entries are kept.
std::string EncodeBmp4(const CPixelCanvas& canvas);
// BMP with 24 bits per pixel, bottom-up.
std::string EncodeBmp24(const RgbPicture& picture);
// PNG with a palette of the canvas's palette entries (8 bits per index).
std::string EncodePngPalette(const CPixelCanvas& canvas);
// PNG in 8-bit RGB.
std::string EncodePngRgb(const RgbPicture& picture);
