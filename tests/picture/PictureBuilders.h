#pragma once
// Builders of BMP and PNG files in memory for the picture tests, written from the formats'
// own descriptions, independent of the readers under test.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace picture_test {

using Color = std::array<uint8_t, 3>;  // red, green, blue

// ---- BMP ----

struct BmpSpec {
  uint32_t headerSize = 40;  // 12 (OS/2 core), 40, 52, 56, 108, 124, or anything to test refusal
  int32_t width = 0;
  int32_t height = 0;  // as written: negative for top-down
  uint16_t planes = 1;
  uint16_t bitCount = 8;
  uint32_t compression = 0;
  std::vector<Color> colors;                 // colour table as written
  std::optional<uint32_t> colorsUsed;        // default: colors.size() (0 when the table is full)
  std::optional<std::array<uint32_t, 3>> masks;  // written after a 40-byte header, or inside a longer one
  uint32_t alphaMask = 0;                    // inside headers of 56 bytes and more
  uint32_t gapBeforePixels = 0;              // unused bytes between table and pixels
  std::optional<uint32_t> offBits;           // default: where the pixels really start
  std::string pixels;                        // pixel data exactly as stored in the file
};

std::string MakeBmp(const BmpSpec& spec);

// Packs palette indices (top row first, width × height) into uncompressed rows of the bit
// count with 4-byte padding, stored bottom-up unless topDown.
std::string PackIndexRows(const std::vector<unsigned>& indices, int width, int height, unsigned bitCount,
                          bool topDown);
// Packs 16- or 32-bit pixel values (top row first) into padded little-endian rows.
std::string PackWordRows(const std::vector<uint32_t>& values, int width, int height, unsigned bitCount,
                         bool topDown);
// Packs colours (top row first) into padded 24-bit blue-green-red rows.
std::string PackRgbRows(const std::vector<Color>& colors, int width, int height, bool topDown);

// ---- PNG ----

struct PngSpec {
  uint32_t width = 0;
  uint32_t height = 0;
  int bitDepth = 8;
  int colorType = 0;  // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
  bool interlaced = false;
  // Samples, top row first, channels interleaved in the file's order (grey[, alpha] or
  // red, green, blue[, alpha], or the palette index).
  std::vector<uint16_t> samples;
  std::vector<Color> palette;
  std::vector<uint8_t> paletteAlpha;       // tRNS of palette pictures
  std::optional<uint16_t> transparentGrey;  // tRNS of grey pictures
  std::optional<std::array<uint16_t, 3>> transparentRgb;
  // bKGD: grey value, RGB samples or palette index as the colour type wants.
  std::optional<uint16_t> backgroundGrey;
  std::optional<std::array<uint16_t, 3>> backgroundRgb;
  std::optional<uint8_t> backgroundIndex;
  std::optional<double> gamma;  // gAMA
  bool srgb = false;            // sRGB
  std::optional<std::array<uint32_t, 2>> density;
  int densityUnit = 1;  // 1 metre, 0 unknown
};

std::string MakePng(const PngSpec& spec);

// Samples per pixel of a PNG colour type.
int ChannelCount(int colorType);

}  // namespace picture_test
