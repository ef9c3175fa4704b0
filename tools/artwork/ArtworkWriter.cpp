#include "tools/artwork/ArtworkWriter.h"

#include <png.h>

#include <algorithm>
#include <tuple>

#include "picture/BmpWriter.h"
#include "picture/DibBitmap.h"

namespace {

bool Less(const Colour& a, const Colour& b) { return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b); }

std::vector<Colour> ColoursOf(const CCanvas& canvas) {
  std::vector<Colour> colours;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) colours.push_back(canvas.Get(x, y));
  std::sort(colours.begin(), colours.end(), Less);
  colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
  return colours;
}

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

}  // namespace

bool EncodeIndexedBmp(const CCanvas& canvas, unsigned bitCount, const std::vector<Colour>& palette,
                      std::vector<uint8_t>& out, std::string& error) {
  const std::vector<Colour> colours = palette.empty() ? ColoursOf(canvas) : palette;
  if (colours.size() > (1u << bitCount)) {
    error = std::to_string(colours.size()) + " colours do not fit in " + std::to_string(bitCount) + " bits";
    return false;
  }
  DibBitmap dib;
  dib.header.biWidth = canvas.Width();
  dib.header.biHeight = canvas.Height();
  dib.header.biBitCount = static_cast<uint16_t>(bitCount);
  for (const Colour& c : colours) dib.colors.push_back({c.b, c.g, c.r, 0});
  const size_t stride = static_cast<size_t>(DibStride(static_cast<uint64_t>(canvas.Width()), bitCount));
  dib.bits.assign(stride * static_cast<size_t>(canvas.Height()), 0);
  for (int y = 0; y < canvas.Height(); ++y) {
    uint8_t* row = dib.bits.data() + stride * static_cast<size_t>(canvas.Height() - 1 - y);
    for (int x = 0; x < canvas.Width(); ++x) {
      const Colour c = canvas.Get(x, y);
      const auto found = std::find(colours.begin(), colours.end(), c);
      if (found == colours.end()) {
        error = "colour " + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) +
                " at " + std::to_string(x) + "," + std::to_string(y) + " is not in the palette";
        return false;
      }
      const auto index = static_cast<uint8_t>(found - colours.begin());
      if (bitCount == 8)
        row[x] = index;
      else
        row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
    }
  }
  out = EncodeBmp(dib);
  return true;
}

bool EncodePng(const CCanvas& canvas, const Colour* transparentKey, std::vector<uint8_t>& out,
               std::string& error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    error = "libpng could not start";
    return false;
  }
  std::vector<uint8_t> rgba(static_cast<size_t>(canvas.Width()) * static_cast<size_t>(canvas.Height()) * 4);
  std::vector<png_bytep> rows(static_cast<size_t>(canvas.Height()));
  for (int y = 0; y < canvas.Height(); ++y) {
    uint8_t* row = rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(canvas.Width()) * 4;
    rows[static_cast<size_t>(y)] = row;
    for (int x = 0; x < canvas.Width(); ++x) {
      const Colour c = canvas.Get(x, y);
      row[4 * x] = c.r;
      row[4 * x + 1] = c.g;
      row[4 * x + 2] = c.b;
      row[4 * x + 3] = transparentKey && c == *transparentKey ? 0 : 255;
    }
  }
  out.clear();
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    error = "libpng failed to write";
    return false;
  }
  png_set_write_fn(png, &out, AppendToVector, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.Width()), static_cast<png_uint_32>(canvas.Height()), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}
