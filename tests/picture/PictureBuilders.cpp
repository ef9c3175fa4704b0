#include "tests/picture/PictureBuilders.h"

#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>

namespace picture_test {
namespace {

void Put16(std::string& out, uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

size_t Stride(int width, unsigned bitCount) { return (static_cast<size_t>(width) * bitCount + 31) / 32 * 4; }

// Orders rows (given top row first) as the file stores them.
std::string OrderRows(const std::vector<std::string>& rows, bool topDown) {
  std::string out;
  if (topDown)
    for (const std::string& row : rows) out += row;
  else
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) out += *row;
  return out;
}

}  // namespace

std::string MakeBmp(const BmpSpec& spec) {
  std::string info;
  const bool core = spec.headerSize == 12;
  Put32(info, spec.headerSize);
  if (core) {
    Put16(info, static_cast<uint32_t>(spec.width));
    Put16(info, static_cast<uint32_t>(spec.height));
    Put16(info, spec.planes);
    Put16(info, spec.bitCount);
  } else {
    Put32(info, static_cast<uint32_t>(spec.width));
    Put32(info, static_cast<uint32_t>(spec.height));
    Put16(info, spec.planes);
    Put16(info, spec.bitCount);
    Put32(info, spec.compression);
    Put32(info, static_cast<uint32_t>(spec.pixels.size()));
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, spec.colorsUsed.value_or(static_cast<uint32_t>(spec.colors.size())));
    Put32(info, 0);
    if (spec.headerSize >= 52) {
      const std::array<uint32_t, 3> masks = spec.masks.value_or(std::array<uint32_t, 3>{0, 0, 0});
      for (uint32_t mask : masks) Put32(info, mask);
    }
    if (spec.headerSize >= 56) Put32(info, spec.alphaMask);
    if (spec.headerSize >= 108) Put32(info, 0x73524742);  // 'sRGB' colour space
    while (info.size() < spec.headerSize) info.push_back('\0');
    if (spec.headerSize < 52 && spec.masks)
      for (uint32_t mask : *spec.masks) Put32(info, mask);
  }
  for (const Color& color : spec.colors) {
    info.push_back(static_cast<char>(color[2]));
    info.push_back(static_cast<char>(color[1]));
    info.push_back(static_cast<char>(color[0]));
    if (!core) info.push_back('\0');
  }
  info.append(spec.gapBeforePixels, '\x55');
  const uint32_t offBits = spec.offBits.value_or(static_cast<uint32_t>(14 + info.size()));
  std::string file = "BM";
  Put32(file, static_cast<uint32_t>(14 + info.size() + spec.pixels.size()));
  Put32(file, 0);
  Put32(file, offBits);
  return file + info + spec.pixels;
}

std::string PackIndexRows(const std::vector<unsigned>& indices, int width, int height, unsigned bitCount,
                          bool topDown) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row(Stride(width, bitCount), '\0');
    for (int x = 0; x < width; ++x) {
      const unsigned index = indices[static_cast<size_t>(y) * width + x];
      const size_t bit = static_cast<size_t>(x) * bitCount;
      const unsigned shift = 8 - bitCount - bit % 8;
      row[bit / 8] = static_cast<char>(static_cast<uint8_t>(row[bit / 8]) | (index << shift));
    }
    rows.push_back(row);
  }
  return OrderRows(rows, topDown);
}

std::string PackWordRows(const std::vector<uint32_t>& values, int width, int height, unsigned bitCount,
                         bool topDown) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const uint32_t value = values[static_cast<size_t>(y) * width + x];
      if (bitCount == 16)
        Put16(row, value);
      else
        Put32(row, value);
    }
    row.resize(Stride(width, bitCount), '\0');
    rows.push_back(row);
  }
  return OrderRows(rows, topDown);
}

std::string PackRgbRows(const std::vector<Color>& colors, int width, int height, bool topDown) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const Color& c = colors[static_cast<size_t>(y) * width + x];
      row.push_back(static_cast<char>(c[2]));
      row.push_back(static_cast<char>(c[1]));
      row.push_back(static_cast<char>(c[0]));
    }
    row.resize(Stride(width, 24), '\0');
    rows.push_back(row);
  }
  return OrderRows(rows, topDown);
}

int ChannelCount(int colorType) {
  switch (colorType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

namespace {

void AppendToString(png_structp png, png_bytep data, size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void FlushNothing(png_structp) {}

// Packs one row of samples as PNG stores them: MSB-first below 8 bits, big-endian at 16.
std::vector<png_byte> PackPngRow(const PngSpec& spec, uint32_t y) {
  const int channels = ChannelCount(spec.colorType);
  const size_t perRow = static_cast<size_t>(spec.width) * channels;
  std::vector<png_byte> row((perRow * spec.bitDepth + 7) / 8, 0);
  for (size_t i = 0; i < perRow; ++i) {
    const uint16_t sample = spec.samples[y * perRow + i];
    if (spec.bitDepth == 16) {
      row[i * 2] = static_cast<png_byte>(sample >> 8);
      row[i * 2 + 1] = static_cast<png_byte>(sample & 0xFF);
    } else if (spec.bitDepth == 8) {
      row[i] = static_cast<png_byte>(sample);
    } else {
      const size_t bit = i * spec.bitDepth;
      row[bit / 8] = static_cast<png_byte>(row[bit / 8] | sample << (8 - spec.bitDepth - bit % 8));
    }
  }
  return row;
}

// Storage that lives outside the frame libpng may jump out of.
struct WriteBuffers {
  std::string out;
  std::vector<png_color> palette;
  std::vector<std::vector<png_byte>> rows;
  std::vector<png_bytep> pointers;
};

bool WritePng(const PngSpec& spec, WriteBuffers& buffers) {
  std::string& out = buffers.out;
  std::vector<png_color>& palette = buffers.palette;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, AppendToString, FlushNothing);
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colorType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  for (const Color& c : spec.palette) palette.push_back(png_color{c[0], c[1], c[2]});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_color_16 transparent{};
  if (!spec.paletteAlpha.empty()) {
    png_set_tRNS(png, info, spec.paletteAlpha.data(), static_cast<int>(spec.paletteAlpha.size()), nullptr);
  } else if (spec.transparentGrey) {
    transparent.gray = *spec.transparentGrey;
    png_set_tRNS(png, info, nullptr, 1, &transparent);
  } else if (spec.transparentRgb) {
    transparent.red = (*spec.transparentRgb)[0];
    transparent.green = (*spec.transparentRgb)[1];
    transparent.blue = (*spec.transparentRgb)[2];
    png_set_tRNS(png, info, nullptr, 1, &transparent);
  }
  png_color_16 background{};
  if (spec.backgroundGrey || spec.backgroundRgb || spec.backgroundIndex) {
    if (spec.backgroundGrey) background.gray = *spec.backgroundGrey;
    if (spec.backgroundRgb) {
      background.red = (*spec.backgroundRgb)[0];
      background.green = (*spec.backgroundRgb)[1];
      background.blue = (*spec.backgroundRgb)[2];
    }
    if (spec.backgroundIndex) background.index = *spec.backgroundIndex;
    png_set_bKGD(png, info, &background);
  }
  if (spec.gamma) png_set_gAMA(png, info, *spec.gamma);
  if (spec.srgb) png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  if (spec.density) png_set_pHYs(png, info, (*spec.density)[0], (*spec.density)[1], spec.densityUnit);
  for (uint32_t y = 0; y < spec.height; ++y) buffers.rows.push_back(PackPngRow(spec, y));
  for (auto& row : buffers.rows) buffers.pointers.push_back(row.data());
  png_write_info(png, info);
  png_write_image(png, buffers.pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::string MakePng(const PngSpec& spec) {
  WriteBuffers buffers;
  EXPECT_TRUE(WritePng(spec, buffers)) << "libpng refused the test picture";
  return buffers.out;
}

}  // namespace picture_test
