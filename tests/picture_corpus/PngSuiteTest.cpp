// Conformance over the PNG test suites in the external corpus: every picture converts or fails
// as its suite says, and every converted DIB has the bit count, colour table and pixels that
// the conversion rules give, computed here independently from the raw samples (read through
// libpng with no transformation) with the gamma, background and grey-palette rules.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "tests/support/TestFiles.h"
#include "picture/PngToDib.h"

namespace fs = std::filesystem;

namespace {

using Color = std::array<int, 3>;

// The file as stored: header, chunks of interest and samples (top row first, channels
// interleaved, at the file's bit depth).
struct RawPng {
  uint32_t width = 0, height = 0;
  int bitDepth = 0, colorType = 0;
  std::vector<uint16_t> samples;
  std::vector<Color> palette;
  std::vector<int> paletteAlpha;
  std::optional<png_color_16> transparent;
  std::optional<png_color_16> background;
  bool srgb = false;
  std::optional<double> gamma;
  std::optional<std::array<uint32_t, 3>> density;

  int Channels() const { return colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1; }
  uint16_t Sample(uint32_t x, uint32_t y, int c) const { return samples[(static_cast<size_t>(y) * width + x) * Channels() + c]; }
};

struct RawBuffers {
  std::vector<std::vector<png_byte>> rows;
  std::vector<png_bytep> pointers;
};

bool ReadRaw(FILE* file, RawPng& raw, RawBuffers& buffers) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  raw.width = png_get_image_width(png, info);
  raw.height = png_get_image_height(png, info);
  raw.bitDepth = png_get_bit_depth(png, info);
  raw.colorType = png_get_color_type(png, info);
  png_colorp palette = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &palette, &count))
    for (int i = 0; i < count; ++i) raw.palette.push_back(Color{palette[i].red, palette[i].green, palette[i].blue});
  png_bytep alphas = nullptr;
  png_color_16p transparent = nullptr;
  if (png_get_tRNS(png, info, &alphas, &count, &transparent)) {
    if (raw.colorType == PNG_COLOR_TYPE_PALETTE)
      for (int i = 0; i < count; ++i) raw.paletteAlpha.push_back(alphas[i]);
    else if (transparent)
      raw.transparent = *transparent;
  }
  png_color_16p background = nullptr;
  if (png_get_bKGD(png, info, &background)) raw.background = *background;
  raw.srgb = png_get_valid(png, info, PNG_INFO_sRGB) != 0;
  double gamma = 0;
  if (png_get_gAMA(png, info, &gamma)) raw.gamma = gamma;
  png_uint_32 xd = 0, yd = 0;
  int unit = 0;
  if (png_get_pHYs(png, info, &xd, &yd, &unit)) raw.density = std::array<uint32_t, 3>{xd, yd, static_cast<uint32_t>(unit)};
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  buffers.rows.assign(raw.height, std::vector<png_byte>(rowBytes));
  for (auto& row : buffers.rows) buffers.pointers.push_back(row.data());
  png_read_image(png, buffers.pointers.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);

  const size_t perRow = static_cast<size_t>(raw.width) * raw.Channels();
  for (const auto& row : buffers.rows)
    for (size_t i = 0; i < perRow; ++i) {
      if (raw.bitDepth == 16) {
        raw.samples.push_back(static_cast<uint16_t>(row[i * 2] << 8 | row[i * 2 + 1]));
      } else {
        const size_t bit = i * raw.bitDepth;
        raw.samples.push_back(static_cast<uint16_t>((row[bit / 8] >> (8 - raw.bitDepth - bit % 8)) & ((1 << raw.bitDepth) - 1)));
      }
    }
  return true;
}

bool ReadRawFile(const std::string& path, RawPng& raw) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  RawBuffers buffers;
  const bool ok = ReadRaw(file, raw, buffers);
  std::fclose(file);
  return ok;
}

// ---- the conversion rules, applied to raw samples ----

constexpr double kScreenGamma = 2.2;

struct Expected {
  unsigned bitCount = 0;
  size_t tableSize = 0;
  std::vector<Color> table;   // when the rules fix it exactly or nearly
  int tableTolerance = 0;
  std::vector<Color> pixels;  // top row first
  int pixelTolerance = 0;
  bool indicesAreSamples = false;  // the DIB keeps the file's own sample values
  int32_t xPels = 0, yPels = 0;
};

double Normal(unsigned value, int depth) { return value / static_cast<double>((1u << depth) - 1); }

int Encode(double linear) { return static_cast<int>(std::lround(std::pow(linear, 1.0 / kScreenGamma) * 255.0)); }

// Sample corrected from file gamma to screen gamma, when the correction is not negligible.
// libpng looks 16-bit samples up by their top 11 bits, so the darkest ones come out coarser.
int Corrected(unsigned value, int depth, double fileGamma) {
  const double p = kScreenGamma * fileGamma;
  if (std::fabs(p - 1.0) <= 0.05) return depth == 16 ? static_cast<int>(value >> 8) : static_cast<int>(value * 255 / ((1u << depth) - 1));
  if (depth == 16) value &= ~0x1Fu;
  return static_cast<int>(std::pow(Normal(value, depth), 1.0 / p) * 255.0 + 0.5);
}

// Foreground over background by alpha, in linear light, encoded for the screen. Pictures of
// 8-bit samples are composited by libpng in 8-bit linear values, which the model repeats.
int Composite(double fg, double alpha, double bg, double fileGamma, bool eightBit) {
  const double p = kScreenGamma * fileGamma;
  if (alpha >= 1.0) return static_cast<int>(std::lround(std::pow(fg, 1.0 / p) * 255.0));
  if (alpha <= 0.0) return static_cast<int>(std::lround(std::pow(bg, 1.0 / p) * 255.0));
  double linearFg = std::pow(fg, 1.0 / fileGamma);
  double linearBg = std::pow(bg, 1.0 / fileGamma);
  if (eightBit) {
    linearFg = std::round(linearFg * 255.0) / 255.0;
    linearBg = std::round(linearBg * 255.0) / 255.0;
    alpha = std::round(alpha * 255.0) / 255.0;
    return Encode(std::round((alpha * linearFg + (1.0 - alpha) * linearBg) * 255.0) / 255.0);
  }
  return Encode(alpha * linearFg + (1.0 - alpha) * linearBg);
}

Expected ApplyRules(const RawPng& raw) {
  Expected e;
  const bool isColor = (raw.colorType & 2) != 0;
  const bool hasAlpha = (raw.colorType & 4) != 0;
  const bool hasTrns = !raw.paletteAlpha.empty() || raw.transparent.has_value();
  const bool known = raw.background.has_value();
  const double fileGamma = raw.srgb ? 0.45455 : raw.gamma.value_or(0.45455);
  const int depth = raw.bitDepth;
  const int top = (1 << depth) - 1;
  const bool composite = (hasAlpha || hasTrns) && known && (depth == 16 || isColor || hasAlpha);
  const bool markGrey = (hasAlpha || hasTrns) && known && !composite && !isColor && depth <= 8 && hasTrns;
  if (raw.density && (*raw.density)[0] && (*raw.density)[1] && (*raw.density)[2] == 1) {
    e.xPels = static_cast<int32_t>((*raw.density)[0]);
    e.yPels = static_cast<int32_t>((*raw.density)[1]);
  }

  auto fileColor = [&](uint32_t x, uint32_t y) -> std::array<double, 4> {  // r, g, b, alpha in 0..1
    if (raw.colorType == 3) {
      const unsigned index = raw.Sample(x, y, 0);
      const Color c = index < raw.palette.size() ? raw.palette[index] : Color{0, 0, 0};
      const double a = index < raw.paletteAlpha.size() ? raw.paletteAlpha[index] / 255.0 : 1.0;
      return {c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, a};
    }
    std::array<double, 4> out{};
    for (int c = 0; c < 3; ++c) out[c] = Normal(raw.Sample(x, y, isColor ? c : 0), depth);
    out[3] = hasAlpha ? Normal(raw.Sample(x, y, raw.Channels() - 1), depth) : 1.0;
    if (raw.transparent) {
      const bool match = isColor ? raw.Sample(x, y, 0) == raw.transparent->red && raw.Sample(x, y, 1) == raw.transparent->green &&
                                       raw.Sample(x, y, 2) == raw.transparent->blue
                                 : raw.Sample(x, y, 0) == raw.transparent->gray;
      if (match) out[3] = 0.0;
    }
    return out;
  };
  auto backgroundNormal = [&]() -> std::array<double, 3> {
    if (raw.colorType == 3) {
      const Color c = raw.palette[raw.background->index];
      return {c[0] / 255.0, c[1] / 255.0, c[2] / 255.0};
    }
    if (!isColor) {
      const double g = Normal(raw.background->gray, depth);
      return {g, g, g};
    }
    return {Normal(raw.background->red, depth), Normal(raw.background->green, depth), Normal(raw.background->blue, depth)};
  };

  if (composite && raw.colorType == 3) {
    // libpng composites the palette entries; indices stay.
    e.bitCount = depth == 2 ? 4 : depth;
    e.tableSize = raw.palette.size();
    e.indicesAreSamples = true;
    const auto bg = backgroundNormal();
    for (size_t i = 0; i < raw.palette.size(); ++i) {
      const double a = i < raw.paletteAlpha.size() ? raw.paletteAlpha[i] / 255.0 : 1.0;
      Color c;
      for (int k = 0; k < 3; ++k) c[k] = Composite(raw.palette[i][k] / 255.0, a, bg[k], fileGamma, true);
      e.table.push_back(c);
    }
    e.tableTolerance = 2;
    return e;
  }
  if (composite) {
    e.bitCount = isColor ? 24 : 8;
    e.tableSize = isColor ? 0 : 256;
    const auto bg = backgroundNormal();
    for (uint32_t y = 0; y < raw.height; ++y)
      for (uint32_t x = 0; x < raw.width; ++x) {
        const auto fg = fileColor(x, y);
        Color c;
        for (int k = 0; k < 3; ++k) c[k] = Composite(fg[k], fg[3], bg[k], fileGamma, depth <= 8);
        e.pixels.push_back(c);
      }
    e.pixelTolerance = 2;
    return e;
  }

  if (raw.colorType == 3) {
    e.bitCount = depth == 2 ? 4 : depth;
    e.tableSize = raw.palette.size();
    e.indicesAreSamples = true;
    for (const Color& c : raw.palette) e.table.push_back(Color{Corrected(c[0], 8, fileGamma), Corrected(c[1], 8, fileGamma), Corrected(c[2], 8, fileGamma)});
    e.tableTolerance = 1;
    return e;
  }
  if (!isColor && !hasAlpha && depth <= 8) {
    // The converter builds and corrects the grey ramp; samples stay as they are.
    e.bitCount = depth == 2 ? 4 : depth;
    e.tableSize = size_t{1} << depth;
    e.indicesAreSamples = true;
    for (int i = 0; i <= top; ++i) {
      const int v = Corrected(static_cast<unsigned>(i * 255 / top), 8, fileGamma);
      e.table.push_back(Color{v, v, v});
    }
    if (markGrey && raw.transparent && raw.transparent->gray <= top) {
      int bg = depth == 8 ? (raw.background->gray & 0xFF) : raw.background->gray * 255 / top;
      bg = Corrected(static_cast<unsigned>(bg), 8, fileGamma);
      e.table[raw.transparent->gray] = Color{bg, bg, bg};
    }
    return e;
  }
  // libpng strips alpha and 16 bits and corrects the samples.
  e.bitCount = isColor ? 24 : 8;
  e.tableSize = isColor ? 0 : 256;
  const bool exact = std::fabs(kScreenGamma * fileGamma - 1.0) <= 0.05;
  for (uint32_t y = 0; y < raw.height; ++y)
    for (uint32_t x = 0; x < raw.width; ++x) {
      Color c;
      for (int k = 0; k < 3; ++k) c[k] = Corrected(raw.Sample(x, y, isColor ? k : 0), depth, fileGamma);
      e.pixels.push_back(c);
    }
  e.pixelTolerance = exact ? 0 : depth == 16 ? 3 : 1;
  if (!isColor)
    for (int i = 0; i < 256; ++i) e.table.push_back(Color{i, i, i});
  return e;
}

// ---- the converter's result ----

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

struct Dib {
  uint32_t width, height, bitCount, used;
  int32_t xPels, yPels;
  std::vector<uint8_t> block;
  size_t Stride() const { return (width * bitCount + 31) / 32 * 4; }
  const uint8_t* Row(uint32_t y) const { return block.data() + 40 + used * 4 + Stride() * (height - 1 - y); }
  Color Entry(unsigned i) const {
    const uint8_t* q = block.data() + 40 + i * 4;
    return Color{q[2], q[1], q[0]};
  }
  unsigned Index(uint32_t x, uint32_t y) const {
    const unsigned per = 8 / bitCount;
    return (Row(y)[x / per] >> ((per - 1 - x % per) * bitCount)) & ((1u << bitCount) - 1);
  }
  Color Pixel(uint32_t x, uint32_t y) const {
    if (bitCount == 24) {
      const uint8_t* p = Row(y) + x * 3;
      return Color{p[2], p[1], p[0]};
    }
    const unsigned i = Index(x, y);
    return i < used ? Entry(i) : Color{0, 0, 0};
  }
};

std::vector<std::string> PngFiles(const std::string& folder) {
  std::vector<std::string> files;
  const std::string corpus = testing_support::CorpusDir();
  if (corpus.empty()) return files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus + "/png/" + folder))
    if (entry.is_regular_file() && entry.path().extension() == ".png") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

// Files the suites mark as broken: they must fail.
bool MustFail(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  return name[0] == 'x' || name == "badcrc.png" || name == "huge_IDAT.png";
}

bool Near(const Color& a, const Color& b, int tolerance) {
  for (int k = 0; k < 3; ++k)
    if (std::abs(a[k] - b[k]) > tolerance) return false;
  return true;
}

std::string Show(const Color& c) {
  return "(" + std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) + ")";
}

void CheckFile(const std::string& path) {
  SCOPED_TRACE(path);
  CPngToDib converter;
  converter.SetInputFile(path);
  converter.SetUseFileBackground(true);
  converter.SetGammaCorrection(true, kScreenGamma);
  const int code = converter.Run();
  if (MustFail(path)) {
    EXPECT_EQ(code, CPngToDib::kLibpngError) << converter.GetErrorText();
    EXPECT_EQ(std::string(converter.GetErrorText()).rfind("[libpng] ", 0), 0u) << converter.GetErrorText();
    return;
  }
  ASSERT_EQ(code, 0) << converter.GetErrorText();
  RawPng raw;
  ASSERT_TRUE(ReadRawFile(path, raw));
  const Expected expected = ApplyRules(raw);

  Dib dib;
  dib.block.assign(converter.GetDib(), converter.GetDib() + converter.GetDibSize());
  dib.width = Le32(dib.block.data() + 4);
  dib.height = Le32(dib.block.data() + 8);
  dib.bitCount = dib.block[14];
  dib.used = Le32(dib.block.data() + 32);
  dib.xPels = static_cast<int32_t>(Le32(dib.block.data() + 24));
  dib.yPels = static_cast<int32_t>(Le32(dib.block.data() + 28));
  ASSERT_EQ(dib.width, raw.width);
  ASSERT_EQ(dib.height, raw.height);
  ASSERT_EQ(dib.bitCount, expected.bitCount);
  ASSERT_EQ(dib.used, expected.tableSize);
  ASSERT_EQ(dib.block.size(), 40 + dib.used * 4 + dib.Stride() * dib.height);
  EXPECT_EQ(dib.xPels, expected.xPels);
  EXPECT_EQ(dib.yPels, expected.yPels);

  int mismatches = 0;
  for (size_t i = 0; i < expected.table.size() && mismatches < 5; ++i)
    if (!Near(dib.Entry(static_cast<unsigned>(i)), expected.table[i], expected.tableTolerance)) {
      ADD_FAILURE() << "table entry " << i << " is " << Show(dib.Entry(static_cast<unsigned>(i))) << ", rules give "
                    << Show(expected.table[i]);
      ++mismatches;
    }
  for (uint32_t y = 0; y < raw.height && mismatches < 5; ++y)
    for (uint32_t x = 0; x < raw.width && mismatches < 5; ++x) {
      if (expected.indicesAreSamples) {
        const unsigned sample = raw.Sample(x, y, 0);
        if (dib.Index(x, y) != sample) {
          ADD_FAILURE() << "index at " << x << "," << y << " is " << dib.Index(x, y) << ", file has " << sample;
          ++mismatches;
        }
      } else {
        const Color& want = expected.pixels[static_cast<size_t>(y) * raw.width + x];
        if (!Near(dib.Pixel(x, y), want, expected.pixelTolerance)) {
          ADD_FAILURE() << "pixel " << x << "," << y << " is " << Show(dib.Pixel(x, y)) << ", rules give " << Show(want);
          ++mismatches;
        }
      }
    }
}

}  // namespace

class PngCorpus : public ::testing::TestWithParam<const char*> {};

TEST_P(PngCorpus, EveryPictureConvertsAsTheRulesSay) {
  const std::vector<std::string> files = PngFiles(GetParam());
  if (testing_support::CorpusDir().empty()) GTEST_SKIP() << "no corpus beside the repository";
  ASSERT_FALSE(files.empty());
  size_t failing = 0;
  for (const std::string& file : files) {
    CheckFile(file);
    if (MustFail(file)) ++failing;
  }
  if (std::string(GetParam()) == "pngsuite") {
    EXPECT_EQ(failing, 14u) << "the suite's corrupt files";
  }
}

INSTANTIATE_TEST_SUITE_P(Suites, PngCorpus, ::testing::Values("pngsuite", "libpng-pngsuite", "libpng-testpngs"),
                         [](const auto& info) {
                           std::string name = info.param;
                           name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                           return name;
                         });
