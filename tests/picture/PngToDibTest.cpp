// The PNG-to-DIB converter with the player's settings (file background on, screen gamma 2.2):
// bit counts, colour tables, pixels, compositing, gamma, layout and result codes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "tests/picture/PictureBuilders.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"
#include "picture/BmpReader.h"
#include "picture/PngToDib.h"

using picture_test::Color;
using picture_test::PngSpec;

namespace {

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// What a run produced, read back from the raw block.
struct Converted {
  int code = -1;
  std::string error;
  std::vector<uint8_t> block;
  uint32_t width = 0, height = 0, bitCount = 0, colorsUsed = 0, sizeImage = 0, compression = 0;
  int32_t xPels = 0, yPels = 0;
  uint16_t planes = 0;
  size_t stride = 0;

  const uint8_t* Table() const { return block.data() + 40; }
  const uint8_t* Bits() const { return block.data() + 40 + colorsUsed * 4; }
  // Row y counted from the top of the picture.
  const uint8_t* Row(uint32_t y) const { return Bits() + stride * (height - 1 - y); }
  unsigned Index(uint32_t x, uint32_t y) const {
    const unsigned perByte = 8 / bitCount;
    return (Row(y)[x / perByte] >> ((perByte - 1 - x % perByte) * bitCount)) & ((1u << bitCount) - 1);
  }
  Color TableColor(unsigned i) const { return Color{Table()[i * 4 + 2], Table()[i * 4 + 1], Table()[i * 4]}; }
  Color Pixel24(uint32_t x, uint32_t y) const {
    const uint8_t* p = Row(y) + x * 3;
    return Color{p[2], p[1], p[0]};
  }
};

Converted Convert(CPngToDib& converter) {
  Converted result;
  result.code = converter.Run();
  result.error = converter.GetErrorText();
  if (result.code != 0) return result;
  result.block.assign(converter.GetDib(), converter.GetDib() + converter.GetDibSize());
  const uint8_t* h = result.block.data();
  EXPECT_EQ(Le32(h), 40u);
  result.width = Le32(h + 4);
  result.height = Le32(h + 8);
  result.planes = Le16(h + 12);
  result.bitCount = Le16(h + 14);
  result.compression = Le32(h + 16);
  result.sizeImage = Le32(h + 20);
  result.xPels = static_cast<int32_t>(Le32(h + 24));
  result.yPels = static_cast<int32_t>(Le32(h + 28));
  result.colorsUsed = Le32(h + 32);
  result.stride = (result.width * result.bitCount + 31) / 32 * 4;
  EXPECT_EQ(converter.GetColorTableSize(), result.colorsUsed);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(converter.GetColorTable()), converter.GetDib() + 40);
  EXPECT_EQ(converter.GetBits(), converter.GetDib() + 40 + result.colorsUsed * 4);
  EXPECT_EQ(result.block.size(), 40 + result.colorsUsed * 4 + result.stride * result.height);
  return result;
}

Converted Convert(const std::string& png) {
  CPngToDib converter;
  converter.SetInputData(reinterpret_cast<const uint8_t*>(png.data()), png.size());
  converter.SetUseFileBackground(true);
  converter.SetGammaCorrection(true, 2.2);
  return Convert(converter);
}

std::vector<uint16_t> RandomSamples(size_t count, unsigned maxValue, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint16_t> samples(count);
  for (uint16_t& s : samples) s = static_cast<uint16_t>(random() % (maxValue + 1));
  return samples;
}

PngSpec Picture(int colorType, int bitDepth, uint32_t width, uint32_t height, unsigned seed) {
  PngSpec spec;
  spec.colorType = colorType;
  spec.bitDepth = bitDepth;
  spec.width = width;
  spec.height = height;
  const size_t count = static_cast<size_t>(width) * height * picture_test::ChannelCount(colorType);
  spec.samples = RandomSamples(count, (1u << bitDepth) - 1, seed);
  return spec;
}

std::vector<Color> TestPalette(size_t count) {
  std::vector<Color> colors;
  for (size_t i = 0; i < count; ++i)
    colors.push_back(Color{static_cast<uint8_t>(i * 29 + 3), static_cast<uint8_t>(250 - i * 7),
                           static_cast<uint8_t>(i * 83 % 256)});
  return colors;
}

// Alpha compositing as the PNG format describes it: in linear light (samples decoded with the
// file gamma), the result encoded for a screen gamma of 2.2. Samples run from 0 to top.
uint8_t Composite(unsigned foreground, unsigned alpha, unsigned background, unsigned top = 255,
                  double fileGamma = 0.45455) {
  const double a = static_cast<double>(alpha) / top;
  const double fg = std::pow(static_cast<double>(foreground) / top, 1.0 / fileGamma);
  const double bg = std::pow(static_cast<double>(background) / top, 1.0 / fileGamma);
  return static_cast<uint8_t>(std::lround(std::pow(fg * a + bg * (1.0 - a), 1.0 / 2.2) * 255.0));
}

void ExpectNear(const Color& actual, const Color& expected, int tolerance, const std::string& where) {
  for (int c = 0; c < 3; ++c)
    EXPECT_NEAR(actual[c], expected[c], tolerance) << where << " channel " << c;
}

uint8_t GammaCorrected(unsigned value, double fileGamma) {
  return static_cast<uint8_t>(std::pow(value / 255.0, 1.0 / (2.2 * fileGamma)) * 255.0 + 0.5);
}

}  // namespace

TEST(PngToDib, GreyPicturesOfEveryDepthGetGreyRamps) {
  struct Case {
    int depth;
    unsigned bitCount;
    unsigned entries;
  };
  for (const Case c : {Case{1, 1, 2}, Case{2, 4, 4}, Case{4, 4, 16}, Case{8, 8, 256}, Case{16, 8, 256}}) {
    SCOPED_TRACE("depth " + std::to_string(c.depth));
    const PngSpec spec = Picture(0, c.depth, 13, 5, static_cast<unsigned>(c.depth));
    const Converted dib = Convert(picture_test::MakePng(spec));
    ASSERT_EQ(dib.code, 0) << dib.error;
    EXPECT_EQ(dib.bitCount, c.bitCount);
    EXPECT_EQ(dib.colorsUsed, c.entries);
    for (unsigned i = 0; i < c.entries; ++i) {
      const uint8_t v = static_cast<uint8_t>(i * 255 / (c.entries - 1));
      ASSERT_EQ(dib.TableColor(i), (Color{v, v, v})) << "entry " << i;
    }
    for (uint32_t y = 0; y < spec.height; ++y)
      for (uint32_t x = 0; x < spec.width; ++x) {
        const unsigned sample = spec.samples[y * spec.width + x];
        ASSERT_EQ(dib.Index(x, y), c.depth == 16 ? sample >> 8 : sample) << x << "," << y;
      }
  }
}

TEST(PngToDib, TwoBitPixelsAreWidenedToNibblesHighFirst) {
  PngSpec spec = Picture(0, 2, 5, 1, 0);
  spec.samples = {1, 2, 3, 0, 2};
  const Converted dib = Convert(picture_test::MakePng(spec));
  ASSERT_EQ(dib.code, 0) << dib.error;
  ASSERT_EQ(dib.bitCount, 4u);
  const uint8_t* row = dib.Row(0);
  EXPECT_EQ(row[0], 0x12);
  EXPECT_EQ(row[1], 0x30);
  EXPECT_EQ(row[2], 0x20);
  EXPECT_EQ(row[3], 0x00) << "padding stays zero";
}

TEST(PngToDib, PalettePicturesKeepTheirPaletteWithOrWithoutTransparency) {
  for (int depth : {1, 2, 4, 8}) {
    for (bool transparency : {false, true}) {
      SCOPED_TRACE("depth " + std::to_string(depth) + (transparency ? " with tRNS" : ""));
      const size_t entries = depth == 1 ? 2 : (size_t{1} << depth) - 1;
      PngSpec spec = Picture(3, depth, 9, 4, static_cast<unsigned>(depth));
      for (uint16_t& s : spec.samples) s = static_cast<uint16_t>(s % entries);
      spec.palette = TestPalette(entries);
      if (transparency) spec.paletteAlpha = {0, 128};
      const Converted dib = Convert(picture_test::MakePng(spec));
      ASSERT_EQ(dib.code, 0) << dib.error;
      EXPECT_EQ(dib.bitCount, depth == 2 ? 4u : static_cast<unsigned>(depth));
      ASSERT_EQ(dib.colorsUsed, entries);
      for (unsigned i = 0; i < entries; ++i) EXPECT_EQ(dib.TableColor(i), spec.palette[i]);
      for (uint32_t y = 0; y < spec.height; ++y)
        for (uint32_t x = 0; x < spec.width; ++x) ASSERT_EQ(dib.Index(x, y), spec.samples[y * spec.width + x]);
    }
  }
}

// libpng composites the palette itself: the picture keeps its indices and its palette size,
// and each entry becomes its colour over the background by that entry's alpha.
TEST(PngToDib, PalettePictureWithTransparencyAndBackgroundGetsACompositedPalette) {
  PngSpec spec = Picture(3, 8, 4, 1, 0);
  spec.palette = TestPalette(4);
  spec.paletteAlpha = {0, 255, 100};
  spec.samples = {0, 1, 2, 3};
  spec.backgroundIndex = 3;
  const Converted dib = Convert(picture_test::MakePng(spec));
  ASSERT_EQ(dib.code, 0) << dib.error;
  EXPECT_EQ(dib.bitCount, 8u);
  ASSERT_EQ(dib.colorsUsed, 4u);
  for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(dib.Index(x, 0), x);
  const Color bg = spec.palette[3];
  EXPECT_EQ(dib.TableColor(0), bg);
  EXPECT_EQ(dib.TableColor(1), spec.palette[1]);
  const Color fg = spec.palette[2];
  ExpectNear(dib.TableColor(2), Color{Composite(fg[0], 100, bg[0]), Composite(fg[1], 100, bg[1]), Composite(fg[2], 100, bg[2])},
             2, "partly transparent");
  EXPECT_EQ(dib.TableColor(3), spec.palette[3]) << "entries past the alpha table are opaque";
}

TEST(PngToDib, PaletteWithOutOfRangeIndexIsKeptAsWritten) {
  PngSpec spec = Picture(3, 8, 2, 1, 0);
  spec.palette = TestPalette(3);
  spec.samples = {1, 7};
  const Converted dib = Convert(picture_test::MakePng(spec));
  ASSERT_EQ(dib.code, 0) << dib.error;
  EXPECT_EQ(dib.colorsUsed, 3u);
  EXPECT_EQ(dib.Index(1, 0), 7u);
}

TEST(PngToDib, TrueColourBecomesBlueGreenRedRows) {
  for (int depth : {8, 16}) {
    SCOPED_TRACE("depth " + std::to_string(depth));
    const PngSpec spec = Picture(2, depth, 7, 3, 11);
    const Converted dib = Convert(picture_test::MakePng(spec));
    ASSERT_EQ(dib.code, 0) << dib.error;
    EXPECT_EQ(dib.bitCount, 24u);
    EXPECT_EQ(dib.colorsUsed, 0u);
    const int shift = depth == 16 ? 8 : 0;
    for (uint32_t y = 0; y < spec.height; ++y)
      for (uint32_t x = 0; x < spec.width; ++x) {
        const uint16_t* s = &spec.samples[(y * spec.width + x) * 3];
        ASSERT_EQ(dib.Pixel24(x, y), (Color{static_cast<uint8_t>(s[0] >> shift), static_cast<uint8_t>(s[1] >> shift),
                                            static_cast<uint8_t>(s[2] >> shift)}))
            << x << "," << y;
      }
  }
}

TEST(PngToDib, AlphaIsDroppedWithoutBackgroundAndCompositedWithIt) {
  for (int colorType : {4, 6}) {
    for (int depth : {8, 16}) {
      for (bool withBackground : {false, true}) {
        SCOPED_TRACE("type " + std::to_string(colorType) + " depth " + std::to_string(depth) +
                     (withBackground ? " with bKGD" : ""));
        PngSpec spec = Picture(colorType, depth, 6, 4, static_cast<unsigned>(colorType * depth));
        const int channels = picture_test::ChannelCount(colorType);
        const unsigned top = (1u << depth) - 1;
        // Fully transparent, fully opaque and half transparent pixels.
        for (size_t p = 0; p < spec.samples.size() / channels; ++p)
          spec.samples[p * channels + channels - 1] = static_cast<uint16_t>(p % 3 == 0 ? 0 : p % 3 == 1 ? top : top / 2);
        const uint16_t bgGrey = static_cast<uint16_t>(top / 3);
        const std::array<uint16_t, 3> bgRgb = {static_cast<uint16_t>(top / 5), static_cast<uint16_t>(top),
                                               static_cast<uint16_t>(top / 2)};
        if (withBackground) {
          if (colorType == 4)
            spec.backgroundGrey = bgGrey;
          else
            spec.backgroundRgb = bgRgb;
        }
        const Converted dib = Convert(picture_test::MakePng(spec));
        ASSERT_EQ(dib.code, 0) << dib.error;
        EXPECT_EQ(dib.bitCount, colorType == 4 ? 8u : 24u);
        const int shift = depth == 16 ? 8 : 0;
        for (uint32_t y = 0; y < spec.height; ++y)
          for (uint32_t x = 0; x < spec.width; ++x) {
            const uint16_t* s = &spec.samples[(y * spec.width + x) * channels];
            const unsigned alpha = s[channels - 1];
            Color expected{};
            for (int c = 0; c < 3; ++c) {
              const unsigned fg = s[colorType == 4 ? 0 : c];
              const unsigned bg = colorType == 4 ? bgGrey : bgRgb[c];
              expected[c] = static_cast<uint8_t>(withBackground ? Composite(fg, alpha, bg, top) : fg >> shift);
            }
            const Color actual = colorType == 4 ? dib.TableColor(dib.Index(x, y)) : dib.Pixel24(x, y);
            ExpectNear(actual, expected, withBackground ? 2 : 0, std::to_string(x) + "," + std::to_string(y));
          }
      }
    }
  }
}

TEST(PngToDib, GreyTransparencyWithBackgroundMarksThePaletteEntry) {
  PngSpec spec = Picture(0, 4, 4, 1, 0);
  spec.samples = {0, 5, 9, 15};
  spec.transparentGrey = 5;
  spec.backgroundGrey = 12;
  Converted dib = Convert(picture_test::MakePng(spec));
  ASSERT_EQ(dib.code, 0) << dib.error;
  EXPECT_EQ(dib.bitCount, 4u);
  EXPECT_EQ(dib.Index(1, 0), 5u) << "pixels keep their values";
  EXPECT_EQ(dib.TableColor(5), (Color{204, 204, 204})) << "12 × 255 / 15";
  EXPECT_EQ(dib.TableColor(9), (Color{153, 153, 153}));

  // Without a background the transparency is ignored.
  spec.backgroundGrey.reset();
  dib = Convert(picture_test::MakePng(spec));
  ASSERT_EQ(dib.code, 0) << dib.error;
  EXPECT_EQ(dib.TableColor(5), (Color{85, 85, 85}));

  // At 8 bits the background is the low byte of the chunk's value.
  PngSpec eight = Picture(0, 8, 2, 1, 0);
  eight.samples = {40, 41};
  eight.transparentGrey = 41;
  eight.backgroundGrey = 200;
  dib = Convert(picture_test::MakePng(eight));
  ASSERT_EQ(dib.code, 0) << dib.error;
  EXPECT_EQ(dib.TableColor(41), (Color{200, 200, 200}));
  EXPECT_EQ(dib.TableColor(40), (Color{40, 40, 40}));
}

TEST(PngToDib, SixteenBitGreyTransparencyWithBackgroundIsComposited) {
  PngSpec spec = Picture(0, 16, 2, 1, 0);
  spec.samples = {0x1234, 0xABCD};
  spec.transparentGrey = 0x1234;
  spec.backgroundGrey = 0x8000;
  const Converted dib = Convert(picture_test::MakePng(spec));
  ASSERT_EQ(dib.code, 0) << dib.error;
  EXPECT_EQ(dib.bitCount, 8u);
  EXPECT_EQ(dib.TableColor(dib.Index(0, 0)), (Color{0x80, 0x80, 0x80}));
  EXPECT_EQ(dib.TableColor(dib.Index(1, 0)), (Color{0xAB, 0xAB, 0xAB}));
}

TEST(PngToDib, GammaIsCorrectedOnlyBeyondTheTolerance) {
  struct Case {
    const char* name;
    std::optional<double> gamma;
    bool srgb;
    bool corrected;
  };
  const Case cases[] = {{"no chunk", std::nullopt, false, false}, {"sRGB", std::nullopt, true, false},
                        {"gAMA 0.45455", 0.45455, false, false}, {"gAMA 0.47 (p 1.034)", 0.47, false, false},
                        {"gAMA 0.5 (p 1.1)", 0.5, false, true},  {"gAMA 1.0", 1.0, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const double fileGamma = c.srgb || !c.gamma ? 0.45455 : *c.gamma;
    // Grey of 8 bits: the converter corrects its ramp.
    PngSpec grey = Picture(0, 8, 4, 1, 0);
    grey.samples = {0, 64, 128, 255};
    grey.gamma = c.gamma;
    grey.srgb = c.srgb;
    Converted dib = Convert(picture_test::MakePng(grey));
    ASSERT_EQ(dib.code, 0) << dib.error;
    for (unsigned i : {0u, 1u, 64u, 128u, 200u, 255u}) {
      const uint8_t v = c.corrected ? GammaCorrected(i, fileGamma) : static_cast<uint8_t>(i);
      EXPECT_EQ(dib.TableColor(i), (Color{v, v, v})) << "entry " << i;
    }
    // Colour: libpng corrects the samples.
    PngSpec rgb = Picture(2, 8, 256, 1, 0);
    for (uint32_t x = 0; x < 256; ++x)
      for (int ch = 0; ch < 3; ++ch) rgb.samples[x * 3 + ch] = static_cast<uint16_t>(ch == 0 ? x : 255 - x);
    rgb.gamma = c.gamma;
    rgb.srgb = c.srgb;
    dib = Convert(picture_test::MakePng(rgb));
    ASSERT_EQ(dib.code, 0) << dib.error;
    for (uint32_t x = 0; x < 256; ++x) {
      const uint8_t red = c.corrected ? GammaCorrected(x, fileGamma) : static_cast<uint8_t>(x);
      const uint8_t other = c.corrected ? GammaCorrected(255 - x, fileGamma) : static_cast<uint8_t>(255 - x);
      ExpectNear(dib.Pixel24(x, 0), Color{red, other, other}, c.corrected ? 1 : 0, "x " + std::to_string(x));
    }
  }
}

TEST(PngToDib, BackgroundOfTransparentGreyIsGammaCorrected) {
  PngSpec spec = Picture(0, 4, 2, 1, 0);
  spec.samples = {3, 7};
  spec.transparentGrey = 3;
  spec.backgroundGrey = 5;  // 85
  spec.gamma = 1.0;
  const Converted dib = Convert(picture_test::MakePng(spec));
  ASSERT_EQ(dib.code, 0) << dib.error;
  const uint8_t bg = GammaCorrected(85, 1.0);
  EXPECT_EQ(dib.TableColor(3), (Color{bg, bg, bg}));
  const uint8_t seven = GammaCorrected(119, 1.0);
  EXPECT_EQ(dib.TableColor(7), (Color{seven, seven, seven}));
}

TEST(PngToDib, CorrectGammaFollowsThePowerLaw) {
  EXPECT_EQ(CPngToDib::CorrectGamma(128, 2.2, 1.0), 186);
  EXPECT_EQ(CPngToDib::CorrectGamma(0, 2.2, 1.0), 0);
  EXPECT_EQ(CPngToDib::CorrectGamma(255, 2.2, 1.0), 255);
  EXPECT_EQ(CPngToDib::CorrectGamma(128, 2.2, 0.45455), 128);
  EXPECT_EQ(CPngToDib::CorrectGamma(128, 2.2, 0.4772), 128) << "p = 1.0498";
  EXPECT_NE(CPngToDib::CorrectGamma(128, 2.2, 0.4775), 128) << "p = 1.0505";
  EXPECT_EQ(CPngToDib::CorrectGamma(128, 2.2, 0.25), 73) << "p = 0.55 darkens";
}

TEST(PngToDib, InterlacedPicturesGiveTheSameDib) {
  std::vector<PngSpec> specs = {Picture(0, 2, 37, 19, 1), Picture(3, 4, 33, 9, 2), Picture(2, 8, 17, 23, 3),
                                Picture(6, 16, 11, 13, 4), Picture(0, 1, 1, 1, 5)};
  specs[1].palette = TestPalette(16);
  specs[3].backgroundRgb = std::array<uint16_t, 3>{100, 20000, 65535};
  for (PngSpec& spec : specs) {
    SCOPED_TRACE("type " + std::to_string(spec.colorType) + " depth " + std::to_string(spec.bitDepth));
    const Converted plain = Convert(picture_test::MakePng(spec));
    spec.interlaced = true;
    const Converted interlaced = Convert(picture_test::MakePng(spec));
    ASSERT_EQ(plain.code, 0) << plain.error;
    ASSERT_EQ(interlaced.code, 0) << interlaced.error;
    EXPECT_EQ(plain.block, interlaced.block);
  }
}

TEST(PngToDib, WritesTheHeaderAndStoresRowsBottomUp) {
  PngSpec spec = Picture(2, 8, 5, 3, 7);
  spec.density = std::array<uint32_t, 2>{3780, 7560};
  Converted dib = Convert(picture_test::MakePng(spec));
  ASSERT_EQ(dib.code, 0) << dib.error;
  EXPECT_EQ(dib.width, 5u);
  EXPECT_EQ(dib.height, 3u);
  EXPECT_EQ(dib.planes, 1);
  EXPECT_EQ(dib.compression, 0u);
  EXPECT_EQ(dib.sizeImage, 16u * 3);
  EXPECT_EQ(dib.xPels, 3780);
  EXPECT_EQ(dib.yPels, 7560);
  // The first PNG row is the last row in memory.
  const uint8_t* last = dib.Bits() + dib.stride * 2;
  EXPECT_EQ(last[0], spec.samples[2]);
  EXPECT_EQ(last[2], spec.samples[0]);

  spec.densityUnit = 0;
  dib = Convert(picture_test::MakePng(spec));
  EXPECT_EQ(dib.xPels, 0);
  EXPECT_EQ(dib.yPels, 0);
}

namespace {

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBe32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
}

// A PNG whose header claims another size, with a valid header checksum.
std::string WithClaimedSize(std::string png, uint32_t width, uint32_t height) {
  PutBe32(png, 16, width);
  PutBe32(png, 20, height);
  PutBe32(png, 29, Crc32(png.substr(12, 17)));
  return png;
}

}  // namespace

TEST(PngToDib, ReportsFailuresWithTheirCodesAndTexts) {
  CPngToDib unset;
  EXPECT_EQ(unset.Run(), CPngToDib::kUnknownError);
  EXPECT_STREQ(unset.GetErrorText(), "Input filename not set");

  CPngToDib missing;
  missing.SetInputFile("/nonexistent/picture.png");
  EXPECT_EQ(missing.Run(), CPngToDib::kReadError);
  EXPECT_STREQ(missing.GetErrorText(), "Unable to read file");

  const std::string good = picture_test::MakePng(Picture(2, 8, 40, 40, 1));
  Converted result = Convert(std::string("not a png at all"));
  EXPECT_EQ(result.code, CPngToDib::kLibpngError);
  EXPECT_EQ(result.error.rfind("[libpng] ", 0), 0u) << result.error;

  result = Convert(good.substr(0, good.size() - 30));
  EXPECT_EQ(result.code, CPngToDib::kLibpngError) << result.error;

  std::string badCrc = good;
  badCrc[good.size() - 20] ^= 0x55;
  result = Convert(badCrc);
  EXPECT_EQ(result.code, CPngToDib::kLibpngError) << result.error;

  result = Convert(WithClaimedSize(good, 8000, 8000));
  EXPECT_EQ(result.code, CPngToDib::kOutOfMemory);
  EXPECT_EQ(result.error, "The picture is too large");
  EXPECT_EQ(Convert(WithClaimedSize(good, 4000, 4000)).code, CPngToDib::kLibpngError) << "within the limit, data short";
}

TEST(PngToDib, ChunkDeclaringGigabytesCostsNothing) {
  const std::string tiny = testing_support::PngWithHugeChunk(picture_test::MakePng(Picture(0, 8, 2, 2, 1)));
  ASSERT_EQ(tiny.size(), 41u);
  testing_support::TempDir dir;
  testing_support::WriteFile(dir / "tiny.png", tiny);
  const long before = testing_support::PeakResidentKiB();
  EXPECT_EQ(Convert(tiny).code, CPngToDib::kLibpngError);
  CPngToDib fromFile;
  fromFile.SetInputFile(dir / "tiny.png");
  EXPECT_EQ(fromFile.Run(), CPngToDib::kLibpngError);
  EXPECT_LT(testing_support::PeakResidentKiB() - before, 256 * 1024) << "KiB more at the peak";
}

TEST(PngToDib, FileAndMemoryInputAgreeAndTheBlockCanBeTaken) {
  testing_support::TempDir dir;
  const std::string png = picture_test::MakePng(Picture(0, 4, 9, 9, 3));
  testing_support::WriteFile(dir / "Pictures/Gate.png", png);
  CPngToDib fromFile;
  fromFile.SetInputFile(dir / "pictures/GATE.PNG");
  fromFile.SetUseFileBackground(true);
  fromFile.SetGammaCorrection(true, 2.2);
  const Converted a = Convert(fromFile);
  const Converted b = Convert(png);
  ASSERT_EQ(a.code, 0) << a.error;
  EXPECT_EQ(a.block, b.block);

  ASSERT_EQ(fromFile.Run(), 0);
  const size_t size = fromFile.GetDibSize();
  const std::vector<uint8_t> block = fromFile.TakeDib();
  ASSERT_EQ(block.size(), size);
  EXPECT_EQ(block, a.block);
  EXPECT_EQ(fromFile.GetDib(), nullptr);
}
