#include "tests/support/TestPictures.h"

#include <cstdlib>

namespace testing_support {

namespace {

void PutLe16(std::string& bytes, uint16_t value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>(value >> 8);
}

void PutLe32(std::string& bytes, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

std::string Bmp24(int width, int height, const std::function<uint32_t(int x, int y)>& colourAt) {
  const int rows = std::abs(height);
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t pixelBytes = stride * static_cast<uint32_t>(rows);
  std::string bytes = "BM";
  PutLe32(bytes, 54 + pixelBytes);
  PutLe32(bytes, 0);
  PutLe32(bytes, 54);
  PutLe32(bytes, 40);
  PutLe32(bytes, static_cast<uint32_t>(width));
  PutLe32(bytes, static_cast<uint32_t>(height));
  PutLe16(bytes, 1);
  PutLe16(bytes, 24);
  PutLe32(bytes, 0);  // uncompressed
  PutLe32(bytes, pixelBytes);
  PutLe32(bytes, 2835);  // 72 dots per inch
  PutLe32(bytes, 2835);
  PutLe32(bytes, 0);
  PutLe32(bytes, 0);
  for (int row = 0; row < rows; ++row) {
    const int y = height < 0 ? row : rows - 1 - row;  // bottom-up unless the height is negative
    std::string line(stride, '\0');
    for (int x = 0; x < width; ++x) {
      const uint32_t rgb = colourAt(x, y);
      line[static_cast<size_t>(x) * 3] = static_cast<char>(rgb & 0xFF);
      line[static_cast<size_t>(x) * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
      line[static_cast<size_t>(x) * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
    }
    bytes += line;
  }
  return bytes;
}

std::string SolidBmp24(int width, int height, uint32_t rgb) {
  return Bmp24(width, height, [rgb](int, int) { return rgb; });
}

std::string PngWithHugeChunk(const std::string& png) {
  const size_t headerEnd = 8 + 12 + 13;  // signature, then the header chunk with its checksum
  return png.substr(0, headerEnd) + std::string("\x7F\xFF\x00\x00", 4) + "tEXt";
}

}  // namespace testing_support
