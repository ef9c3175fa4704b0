#pragma once
// Small BMP files built in memory for tests that need a picture on disk.
#include <cstdint>
#include <functional>
#include <string>

namespace testing_support {

// A 24-bit BMP: colourAt(x, y) gives 0xRRGGBB for the pixel x, y counted from the top row. A
// negative height stores the rows top-down, as such a BMP does.
std::string Bmp24(int width, int height, const std::function<uint32_t(int x, int y)>& colourAt);

// A 24-bit BMP in one colour.
std::string SolidBmp24(int width, int height, uint32_t rgb);

}  // namespace testing_support
