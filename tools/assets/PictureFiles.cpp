#include "tools/assets/PictureFiles.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>

#include "tools/LittleEndian.h"

namespace {

// File and info headers of an uncompressed BMP.
std::string BmpHeaders(int width, int height, int bits, uint32_t paletteEntries, uint32_t stride) {
  const uint32_t headers = 14 + 40 + paletteEntries * 4;
  const uint32_t imageSize = stride * static_cast<uint32_t>(height);
  std::string out = "BM";
  PutLe32(out, headers + imageSize);
  PutLe32(out, 0);
  PutLe32(out, headers);
  PutLe32(out, 40);
  PutLe32(out, static_cast<uint32_t>(width));
  PutLe32(out, static_cast<uint32_t>(height));
  PutLe16(out, 1);
  PutLe16(out, static_cast<uint16_t>(bits));
  PutLe32(out, 0);  // no compression
  PutLe32(out, imageSize);
  PutLe32(out, 2835);  // 72 dots per inch
  PutLe32(out, 2835);
  PutLe32(out, paletteEntries);
  PutLe32(out, 0);
  return out;
}

// entries palette entries as BMP stores them (blue, green, red, 0), black past the canvas's palette.
void AppendBmpPalette(std::string& out, const std::vector<Rgb>& palette, size_t entries) {
  for (size_t i = 0; i < entries; ++i) {
    Rgb colour = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
    out += static_cast<char>(colour.blue);
    out += static_cast<char>(colour.green);
    out += static_cast<char>(colour.red);
    out += '\0';
  }
}

void AppendToString(png_structp png, png_bytep data, size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void FlushNothing(png_structp) {}

// Writes rows (already packed for colourType) as one PNG; empty on a libpng failure.
std::string WritePng(int width, int height, int colourType, const std::vector<png_color>& palette,
                     std::vector<std::vector<png_byte>>& rows) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return out;
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return std::string();
  }
  png_set_write_fn(png, &out, AppendToString, FlushNothing);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colourType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace

RgbPicture ToRgb(const CPixelCanvas& canvas) {
  RgbPicture picture;
  picture.Width = canvas.Width();
  picture.Height = canvas.Height();
  for (uint8_t index : canvas.Pixels())
    picture.Pixels.push_back(index < canvas.Palette().size() ? canvas.Palette()[index] : Rgb{0, 0, 0});
  return picture;
}

void ApplyLight(RgbPicture& picture, const std::function<Light(int x, int y)>& light) {
  auto scale = [](uint8_t value, double factor) {
    return static_cast<uint8_t>(std::clamp(std::lround(value * factor), 0L, 255L));
  };
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) {
      Light factor = light(x, y);
      Rgb& pixel = picture.At(x, y);
      pixel = {scale(pixel.red, factor.r), scale(pixel.green, factor.g), scale(pixel.blue, factor.b)};
    }
}

std::string EncodeBmp8(const CPixelCanvas& canvas) {
  const uint32_t stride = (static_cast<uint32_t>(canvas.Width()) + 3) & ~3u;
  std::string out = BmpHeaders(canvas.Width(), canvas.Height(), 8, 256, stride);
  AppendBmpPalette(out, canvas.Palette(), 256);
  for (int y = canvas.Height() - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < canvas.Width(); ++x) row[static_cast<size_t>(x)] = static_cast<char>(canvas.Get(x, y));
    out += row;
  }
  return out;
}

std::string EncodeBmp4(const CPixelCanvas& canvas) {
  const uint32_t stride = ((static_cast<uint32_t>(canvas.Width()) + 1) / 2 + 3) & ~3u;
  std::string out = BmpHeaders(canvas.Width(), canvas.Height(), 4, 16, stride);
  AppendBmpPalette(out, canvas.Palette(), 16);
  for (int y = canvas.Height() - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < canvas.Width(); ++x) {
      uint8_t index = canvas.Get(x, y) & 0x0F;
      row[static_cast<size_t>(x / 2)] = static_cast<char>(row[static_cast<size_t>(x / 2)] | (x % 2 ? index : index << 4));
    }
    out += row;
  }
  return out;
}

std::string EncodeBmp24(const RgbPicture& picture) {
  const uint32_t stride = (static_cast<uint32_t>(picture.Width) * 3 + 3) & ~3u;
  std::string out = BmpHeaders(picture.Width, picture.Height, 24, 0, stride);
  for (int y = picture.Height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.Width; ++x) {
      const Rgb& pixel = picture.Pixels[static_cast<size_t>(y) * picture.Width + x];
      out += static_cast<char>(pixel.blue);
      out += static_cast<char>(pixel.green);
      out += static_cast<char>(pixel.red);
    }
    out.append(stride - static_cast<uint32_t>(picture.Width) * 3, '\0');
  }
  return out;
}

std::string EncodePngPalette(const CPixelCanvas& canvas) {
  std::vector<png_color> palette;
  for (const Rgb& colour : canvas.Palette()) palette.push_back(png_color{colour.red, colour.green, colour.blue});
  std::vector<std::vector<png_byte>> rows;
  for (int y = 0; y < canvas.Height(); ++y) {
    const uint8_t* row = &canvas.Pixels()[static_cast<size_t>(y) * canvas.Width()];
    rows.emplace_back(row, row + canvas.Width());
  }
  return WritePng(canvas.Width(), canvas.Height(), PNG_COLOR_TYPE_PALETTE, palette, rows);
}

std::string EncodePngRgb(const RgbPicture& picture) {
  std::vector<std::vector<png_byte>> rows;
  for (int y = 0; y < picture.Height; ++y) {
    std::vector<png_byte> row;
    for (int x = 0; x < picture.Width; ++x) {
      const Rgb& pixel = picture.Pixels[static_cast<size_t>(y) * picture.Width + x];
      row.insert(row.end(), {pixel.red, pixel.green, pixel.blue});
    }
    rows.push_back(std::move(row));
  }
  return WritePng(picture.Width, picture.Height, PNG_COLOR_TYPE_RGB, {}, rows);
}
