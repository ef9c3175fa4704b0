#pragma once
// The pixel store behind a picture: a 40-byte DIB header, the colour table and the pixel bits
// in the picture's own bit depth, rows bottom-up as in a DIB section.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Compression values of a DIB header.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

// The largest pixel store (bytes of pixel bits) a picture may have.
constexpr uint64_t kMaxPixelBytes = 64u * 1024u * 1024u;

// A colour-table entry as a DIB stores it.
struct RgbQuad {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
};

struct BitmapInfoHeader {
  uint32_t biSize = 40;
  int32_t biWidth = 0;
  int32_t biHeight = 0;  // positive: the first row in memory is the bottom row
  uint16_t biPlanes = 1;
  uint16_t biBitCount = 0;
  uint32_t biCompression = kBiRgb;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
  bool operator!=(const Rgb& other) const { return !(*this == other); }
};

struct DibBitmap {
  BitmapInfoHeader header;
  // Red, green and blue masks of 16- and 32-bit pixels (the defaults when the file gave none).
  std::array<uint32_t, 3> masks{};
  // Colour table; only pictures of at most 8 bits per pixel have one.
  std::vector<RgbQuad> colors;
  // stride × height bytes, bottom row first.
  std::vector<uint8_t> bits;

  int Width() const { return header.biWidth; }
  int Height() const { return header.biHeight; }
  unsigned BitCount() const { return header.biBitCount; }
  size_t Stride() const;
  // Colour of pixel (x, y), y counted from the top. An index beyond the colour table is black.
  Rgb Pixel(int x, int y) const;
  // The whole picture as RGB bytes, top row first: width × height × 3 bytes into out.
  void ToRgb(uint8_t* out) const;
};

// Bytes per row of a DIB, padded to a multiple of 4; 0 when the size overflows 32 bits.
uint64_t DibStride(uint64_t width, unsigned bitCount);

// Whether a pixel store is consistent: a supported bit count, positive size within the limit,
// bits of exactly stride × height bytes, and a colour table only where the bit count allows one.
bool IsValidDib(const DibBitmap& dib);

// Red, green and blue masks of the default 16-bit (5-5-5) and 32-bit (8-8-8) formats.
std::array<uint32_t, 3> DefaultMasks(unsigned bitCount);
