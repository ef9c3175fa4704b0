#pragma once
// Small BMP files built in memory for tests that need a picture on disk, and a hostile PNG.
#include <cstdint>
#include <functional>
#include <string>

namespace testing_support {

// A 24-bit BMP: colourAt(x, y) gives 0xRRGGBB for the pixel x, y counted from the top row. A
// negative height stores the rows top-down, as such a BMP does.
std::string Bmp24(int width, int height, const std::function<uint32_t(int x, int y)>& colourAt);

// A 24-bit BMP in one colour.
std::string SolidBmp24(int width, int height, uint32_t rgb);

// A PNG file of 41 bytes: the signature and header chunk of the PNG given, then the start of a
// tEXt chunk that declares about 2 GB of data.
std::string PngWithHugeChunk(const std::string& png);

}  // namespace testing_support
