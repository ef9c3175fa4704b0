#include "picture/DibBitmap.h"

namespace {

// One channel of a masked 16- or 32-bit pixel, scaled to 0..255 with rounding.
class MaskChannel {
 public:
  explicit MaskChannel(uint32_t mask) {
    if (mask == 0) return;
    while (((mask >> m_shift) & 1u) == 0) ++m_shift;
    m_mask = mask;
    m_max = mask >> m_shift;
  }
  uint8_t operator()(uint32_t pixel) const {
    if (m_max == 0) return 0;
    uint64_t value = (pixel & m_mask) >> m_shift;
    return static_cast<uint8_t>((value * 255u + m_max / 2) / m_max);
  }

 private:
  uint32_t m_mask = 0;
  unsigned m_shift = 0;
  uint64_t m_max = 0;
};

Rgb FromQuad(const RgbQuad& quad) { return Rgb{quad.rgbRed, quad.rgbGreen, quad.rgbBlue}; }

// Converts count pixels of one row in memory, starting at pixel first, to RGB bytes.
void RowToRgb(const DibBitmap& dib, const uint8_t* row, int first, int count, uint8_t* out) {
  const int end = first + count;
  const unsigned bitCount = dib.BitCount();
  auto putIndex = [&](unsigned index, uint8_t*& o) {
    Rgb c = index < dib.colors.size() ? FromQuad(dib.colors[index]) : Rgb{};
    o[0] = c.red;
    o[1] = c.green;
    o[2] = c.blue;
    o += 3;
  };
  switch (bitCount) {
    case 1:
    case 4:
    case 8: {
      const unsigned perByte = 8 / bitCount;
      const unsigned mask = (1u << bitCount) - 1;
      for (int x = first; x < end; ++x) {
        unsigned shift = (perByte - 1 - x % perByte) * bitCount;
        putIndex((row[x / perByte] >> shift) & mask, out);
      }
      break;
    }
    case 24:
      row += static_cast<size_t>(first) * 3;
      for (int x = first; x < end; ++x, row += 3, out += 3) {
        out[0] = row[2];
        out[1] = row[1];
        out[2] = row[0];
      }
      break;
    case 16:
    case 32: {
      const MaskChannel red(dib.masks[0]), green(dib.masks[1]), blue(dib.masks[2]);
      row += static_cast<size_t>(first) * (bitCount / 8);
      for (int x = first; x < end; ++x, out += 3) {
        uint32_t pixel = bitCount == 16 ? static_cast<uint32_t>(row[0] | row[1] << 8)
                                        : static_cast<uint32_t>(row[0]) | static_cast<uint32_t>(row[1]) << 8 |
                                              static_cast<uint32_t>(row[2]) << 16 |
                                              static_cast<uint32_t>(row[3]) << 24;
        row += bitCount / 8;
        out[0] = red(pixel);
        out[1] = green(pixel);
        out[2] = blue(pixel);
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

uint64_t DibStride(uint64_t width, unsigned bitCount) {
  uint64_t stride = (width * bitCount + 31) / 32 * 4;
  return stride > 0xFFFFFFFFu ? 0 : stride;
}

std::array<uint32_t, 3> DefaultMasks(unsigned bitCount) {
  if (bitCount == 16) return {0x7C00u, 0x03E0u, 0x001Fu};
  if (bitCount == 32) return {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
  return {0, 0, 0};
}

size_t DibBitmap::Stride() const { return static_cast<size_t>(DibStride(static_cast<uint64_t>(Width()), BitCount())); }

bool IsValidDib(const DibBitmap& dib) {
  const BitmapInfoHeader& h = dib.header;
  switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  if (h.biWidth <= 0 || h.biHeight <= 0 || h.biPlanes != 1) return false;
  if (h.biCompression != kBiRgb && h.biCompression != kBiBitfields) return false;
  uint64_t stride = DibStride(static_cast<uint64_t>(h.biWidth), h.biBitCount);
  uint64_t total = stride * static_cast<uint64_t>(h.biHeight);
  if (stride == 0 || total > kMaxPixelBytes || dib.bits.size() != total) return false;
  if (h.biBitCount > 8 && !dib.colors.empty()) return false;
  if (h.biBitCount <= 8 && dib.colors.size() > (1u << h.biBitCount)) return false;
  return true;
}

Rgb DibBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return Rgb{};
  const uint8_t* row = bits.data() + Stride() * static_cast<size_t>(Height() - 1 - y);
  uint8_t rgb[3] = {0, 0, 0};
  RowToRgb(*this, row, x, 1, rgb);
  return Rgb{rgb[0], rgb[1], rgb[2]};
}

void DibBitmap::ToRgb(uint8_t* out) const {
  const size_t stride = Stride();
  const size_t outStride = static_cast<size_t>(Width()) * 3;
  for (int y = 0; y < Height(); ++y)
    RowToRgb(*this, bits.data() + stride * static_cast<size_t>(Height() - 1 - y), 0, Width(),
             out + outStride * static_cast<size_t>(y));
}
