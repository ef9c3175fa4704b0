// The BMP reader: every supported layout gives the pixels written, everything else is refused
// cleanly, and no input makes it read past the end of its data.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "tests/picture/PictureBuilders.h"
#include "tests/support/TestFiles.h"
#include "picture/BmpReader.h"

using picture_test::BmpSpec;
using picture_test::Color;

namespace {

Rgb ToRgb(const Color& c) { return Rgb{c[0], c[1], c[2]}; }

bool Read(const std::string& bytes, DibBitmap& dib, std::string& error) {
  return ReadBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), dib, error);
}

std::string ReadError(const std::string& bytes) {
  DibBitmap dib;
  std::string error;
  EXPECT_FALSE(Read(bytes, dib, error));
  return error;
}

std::vector<Color> TestPalette(size_t count) {
  std::vector<Color> colors;
  for (size_t i = 0; i < count; ++i)
    colors.push_back(Color{static_cast<uint8_t>(i * 37 + 5), static_cast<uint8_t>(255 - i * 11),
                           static_cast<uint8_t>(i * 101 % 256)});
  return colors;
}

std::vector<unsigned> TestIndices(int width, int height, unsigned colorCount, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<unsigned> indices(static_cast<size_t>(width) * height);
  for (unsigned& index : indices) index = random() % colorCount;
  return indices;
}

void ExpectIndexedPixels(const DibBitmap& dib, const std::vector<unsigned>& indices, const std::vector<Color>& palette,
                         int width, int height) {
  ASSERT_EQ(dib.Width(), width);
  ASSERT_EQ(dib.Height(), height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(dib.Pixel(x, y), ToRgb(palette[indices[static_cast<size_t>(y) * width + x]]))
          << "pixel " << x << "," << y;
}

BmpSpec IndexedSpec(unsigned bitCount, int width, int height, bool topDown, const std::vector<unsigned>& indices) {
  BmpSpec spec;
  spec.width = width;
  spec.height = topDown ? -height : height;
  spec.bitCount = static_cast<uint16_t>(bitCount);
  spec.colors = TestPalette(size_t{1} << bitCount);
  spec.pixels = picture_test::PackIndexRows(indices, width, height, bitCount, topDown);
  return spec;
}

}  // namespace

// Widths 1..8 cover every padding case of every bit count.
class IndexedBmp : public ::testing::TestWithParam<std::tuple<unsigned, bool>> {};

TEST_P(IndexedBmp, ReadsPalettePixelsInEveryWidthAndOrientation) {
  const auto [bitCount, topDown] = GetParam();
  for (int width = 1; width <= 9; ++width) {
    const int height = 3;
    const auto indices = TestIndices(width, height, 1u << bitCount, static_cast<unsigned>(width));
    const BmpSpec spec = IndexedSpec(bitCount, width, height, topDown, indices);
    DibBitmap dib;
    std::string error;
    ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
    EXPECT_EQ(dib.BitCount(), bitCount);
    EXPECT_EQ(dib.colors.size(), size_t{1} << bitCount);
    EXPECT_EQ(dib.header.biHeight, height) << "rows are kept bottom-up";
    ExpectIndexedPixels(dib, indices, spec.colors, width, height);
  }
}

INSTANTIATE_TEST_SUITE_P(BitCounts, IndexedBmp,
                         ::testing::Combine(::testing::Values(1u, 4u, 8u), ::testing::Bool()));

TEST(BmpReader, ReadsTrueColourPixelsBottomUpAndTopDown) {
  const int width = 5, height = 3;
  std::vector<Color> colors;
  for (int i = 0; i < width * height; ++i)
    colors.push_back(Color{static_cast<uint8_t>(i * 17), static_cast<uint8_t>(200 - i), static_cast<uint8_t>(i * 3)});
  for (bool topDown : {false, true}) {
    BmpSpec spec;
    spec.width = width;
    spec.height = topDown ? -height : height;
    spec.bitCount = 24;
    spec.pixels = picture_test::PackRgbRows(colors, width, height, topDown);
    DibBitmap dib;
    std::string error;
    ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
    EXPECT_TRUE(dib.colors.empty());
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) EXPECT_EQ(dib.Pixel(x, y), ToRgb(colors[y * width + x])) << x << "," << y;
  }
}

TEST(BmpReader, ReadsSixteenAndThirtyTwoBitFormats) {
  struct Case {
    const char* name;
    uint16_t bitCount;
    uint32_t compression;
    std::optional<std::array<uint32_t, 3>> masks;
    uint32_t headerSize;
    uint32_t pixel;
    Rgb expected;
  };
  const Case cases[] = {
      {"5-5-5 default", 16, 0, std::nullopt, 40, 0x7C00 | (16 << 5) | 1, {255, 132, 8}},
      {"5-5-5 default, top bit ignored", 16, 0, std::nullopt, 40, 0x8000 | 0x001F, {0, 0, 255}},
      {"5-6-5 bit fields", 16, 3, std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F}, 40, 0xFFFF, {255, 255, 255}},
      {"5-6-5 bit fields, mid green", 16, 3, std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F}, 40, 32 << 5, {0, 130, 0}},
      {"2-3-1 bit fields", 16, 3, std::array<uint32_t, 3>{0x0030, 0x000E, 0x0001}, 40, 0x0020 | 0x0008 | 1,
       {170, 146, 255}},
      {"8-8-8 default", 32, 0, std::nullopt, 40, 0xAA112233, {0x11, 0x22, 0x33}},
      {"blue-green-red order", 32, 3, std::array<uint32_t, 3>{0x000000FF, 0x0000FF00, 0x00FF0000}, 40, 0x00112233,
       {0x33, 0x22, 0x11}},
      {"10-bit channels", 32, 3, std::array<uint32_t, 3>{0x3FF00000, 0x000FFC00, 0x000003FF}, 40, 0x3FF00000,
       {255, 0, 0}},
      {"masks in a 52-byte header", 32, 3, std::array<uint32_t, 3>{0x0000FF00, 0x00FF0000, 0xFF000000}, 52, 0x44332211,
       {0x22, 0x33, 0x44}},
      {"masks in a V5 header", 16, 3, std::array<uint32_t, 3>{0x0F00, 0x00F0, 0x000F}, 124, 0xF0F0, {0, 255, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BmpSpec spec;
    spec.headerSize = c.headerSize;
    spec.width = 2;
    spec.height = 1;
    spec.bitCount = c.bitCount;
    spec.compression = c.compression;
    spec.masks = c.masks;
    spec.pixels = picture_test::PackWordRows({c.pixel, 0}, 2, 1, c.bitCount, false);
    DibBitmap dib;
    std::string error;
    ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
    EXPECT_EQ(dib.BitCount(), c.bitCount);
    EXPECT_EQ(dib.Pixel(0, 0), c.expected);
    EXPECT_EQ(dib.Pixel(1, 0), (Rgb{0, 0, 0}));
  }
}

TEST(BmpReader, ReadsOs2CoreHeaderWithThreeByteColourTable) {
  const auto indices = TestIndices(7, 4, 256, 3);
  BmpSpec spec = IndexedSpec(8, 7, 4, false, indices);
  spec.headerSize = 12;
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
  EXPECT_EQ(dib.colors.size(), 256u);
  ExpectIndexedPixels(dib, indices, spec.colors, 7, 4);
}

TEST(BmpReader, ReadsV4AndV5HeadersAndHonoursPixelOffset) {
  for (uint32_t headerSize : {56u, 108u, 124u}) {
    const auto indices = TestIndices(6, 5, 256, headerSize);
    BmpSpec spec = IndexedSpec(8, 6, 5, false, indices);
    spec.headerSize = headerSize;
    spec.gapBeforePixels = 37;
    DibBitmap dib;
    std::string error;
    ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << headerSize << ": " << error;
    ExpectIndexedPixels(dib, indices, spec.colors, 6, 5);
  }
}

TEST(BmpReader, KeepsShortColourTablesAndCapsLongOnes) {
  const auto indices = TestIndices(4, 2, 12, 1);
  BmpSpec shortTable = IndexedSpec(4, 4, 2, false, indices);
  shortTable.colors.resize(12);
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(Read(picture_test::MakeBmp(shortTable), dib, error)) << error;
  EXPECT_EQ(dib.colors.size(), 12u);
  EXPECT_EQ(dib.header.biClrUsed, 12u);
  ExpectIndexedPixels(dib, indices, shortTable.colors, 4, 2);

  // 300 entries claimed for 8 bits: the first 256 are the table, the pixels follow all 300.
  const auto indices8 = TestIndices(4, 2, 256, 2);
  BmpSpec longTable = IndexedSpec(8, 4, 2, false, indices8);
  longTable.colors = TestPalette(300);
  ASSERT_TRUE(Read(picture_test::MakeBmp(longTable), dib, error)) << error;
  EXPECT_EQ(dib.colors.size(), 256u);
  ExpectIndexedPixels(dib, indices8, longTable.colors, 4, 2);
}

TEST(BmpReader, TrueColourPictureDropsItsColourTable) {
  BmpSpec spec;
  spec.width = 2;
  spec.height = 2;
  spec.bitCount = 24;
  spec.colors = TestPalette(256);
  const std::vector<Color> colors = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  spec.pixels = picture_test::PackRgbRows(colors, 2, 2, false);
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
  EXPECT_TRUE(dib.colors.empty());
  EXPECT_EQ(dib.Pixel(1, 1), (Rgb{10, 11, 12}));
}

TEST(BmpReader, IndexBeyondTheColourTableIsBlack) {
  BmpSpec spec = IndexedSpec(8, 2, 1, false, {1, 200});
  spec.colors.resize(2);
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
  EXPECT_EQ(dib.Pixel(0, 0), ToRgb(spec.colors[1]));
  EXPECT_EQ(dib.Pixel(1, 0), (Rgb{0, 0, 0}));
}

TEST(BmpReader, AcceptsLastRowWithoutPaddingButNotLess) {
  const auto indices = TestIndices(5, 3, 256, 9);
  BmpSpec spec = IndexedSpec(8, 5, 3, false, indices);
  spec.pixels.resize(spec.pixels.size() - 3);  // stride 8, 5 bytes used in the last row
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
  ExpectIndexedPixels(dib, indices, spec.colors, 5, 3);
  spec.pixels.pop_back();
  EXPECT_EQ(ReadError(picture_test::MakeBmp(spec)), "The file is truncated");
}

// RLE data written by hand: runs, absolute runs with padding, deltas, end of line and end of
// picture, and skipped pixels that keep index 0.
TEST(BmpReader, DecodesRle8) {
  BmpSpec spec;
  spec.width = 6;
  spec.height = 3;
  spec.bitCount = 8;
  spec.compression = 1;
  spec.colors = TestPalette(8);
  spec.pixels = std::string(
      "\x03\x01"              // bottom row: 1 1 1
      "\x00\x03\x02\x03\x04\x00"  // absolute 2 3 4 (+ pad)
      "\x00\x00"              // end of line
      "\x00\x02\x02\x00"      // delta: right 2
      "\x02\x05"              // 5 5
      "\x00\x02\x00\x01"      // delta: up 1 (to the top row, x = 4)
      "\x01\x07"              // 7
      "\x00\x01",             // end of picture
      24);
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
  const unsigned expected[3][6] = {{0, 0, 0, 0, 7, 0}, {0, 0, 5, 5, 0, 0}, {1, 1, 1, 2, 3, 4}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(dib.Pixel(x, y), ToRgb(spec.colors[expected[y][x]])) << x << "," << y;
  EXPECT_EQ(dib.header.biCompression, kBiRgb) << "the store is uncompressed";
}

TEST(BmpReader, DecodesRle4) {
  BmpSpec spec;
  spec.width = 7;
  spec.height = 2;
  spec.bitCount = 4;
  spec.compression = 2;
  spec.colors = TestPalette(16);
  spec.pixels = std::string(
      "\x04\x12"                  // bottom row: 1 2 1 2
      "\x00\x03\x34\x50"          // absolute 3 4 5
      "\x00\x00"                  // end of line
      "\x00\x05\x56\x71\x20\x00"  // absolute 5 6 7 1 2 (+ pad)
      "\x00\x01",                 // end of picture
      16);
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
  const unsigned expected[2][7] = {{5, 6, 7, 1, 2, 0, 0}, {1, 2, 1, 2, 3, 4, 5}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(dib.Pixel(x, y), ToRgb(spec.colors[expected[y][x]])) << x << "," << y;
}

TEST(BmpReader, RleRunsPastTheEdgesAreDropped) {
  BmpSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.bitCount = 8;
  spec.compression = 1;
  spec.colors = TestPalette(4);
  // A run of 255 pixels, a delta far beyond the right and top edges, then more runs.
  spec.pixels = std::string("\xFF\x01\x00\x02\xFF\xFF\x10\x02\x00\x00\x08\x03\x00\x01", 14);
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(Read(picture_test::MakeBmp(spec), dib, error)) << error;
  EXPECT_EQ(dib.Pixel(2, 1), ToRgb(spec.colors[1]));
  EXPECT_EQ(dib.Pixel(0, 0), ToRgb(spec.colors[0]));
}

TEST(BmpReader, RleDataEndingBeforeThePictureFails) {
  BmpSpec spec;
  spec.width = 4;
  spec.height = 4;
  spec.bitCount = 8;
  spec.compression = 1;
  spec.colors = TestPalette(4);
  spec.pixels = std::string("\x04\x01\x00\x00\x04\x02", 6);
  EXPECT_EQ(ReadError(picture_test::MakeBmp(spec)), "The file is truncated");
}

// An RLE picture uses at most four bytes per stored byte, a row end per row and 4 KiB more; runs
// beyond that are not read, from memory as from a file.
TEST(BmpReader, RleDataBeyondTheLargestUsefulSizeIsNotRead) {
  BmpSpec spec;
  spec.width = 1;
  spec.height = 1;
  spec.bitCount = 8;
  spec.compression = 1;
  spec.colors = TestPalette(4);
  std::string runs;
  for (int i = 0; i < 2500; ++i) runs += std::string("\x01\x02", 2);  // runs beyond the right edge
  spec.pixels = runs + std::string("\x00\x01", 2);
  const std::string bytes = picture_test::MakeBmp(spec);
  EXPECT_EQ(ReadError(bytes), "The file is truncated");
  testing_support::TempDir dir;
  testing_support::WriteFile(dir / "runs.bmp", bytes);
  DibBitmap dib;
  std::string error;
  EXPECT_FALSE(ReadBmpFile(dir / "runs.bmp", dib, error));
  EXPECT_EQ(error, "The file is truncated");
}

TEST(BmpReader, RefusesWhatItDoesNotSupport) {
  const auto indices = TestIndices(2, 2, 2, 1);
  const BmpSpec good = IndexedSpec(8, 2, 2, false, indices);
  struct Case {
    const char* name;
    std::function<void(BmpSpec&)> change;
    const char* error;
  };
  const Case cases[] = {
      {"header of 64 bytes", [](BmpSpec& s) { s.headerSize = 64; }, "Unsupported BMP header size"},
      {"header of 16 bytes", [](BmpSpec& s) { s.headerSize = 16; }, "Unsupported BMP header size"},
      {"two planes", [](BmpSpec& s) { s.planes = 2; }, "A BMP picture must have one plane"},
      {"2 bits per pixel", [](BmpSpec& s) { s.bitCount = 2; }, "Unsupported number of bits per pixel"},
      {"64 bits per pixel", [](BmpSpec& s) { s.bitCount = 64; }, "Unsupported number of bits per pixel"},
      {"JPEG data", [](BmpSpec& s) { s.compression = 4; }, "Unsupported compression"},
      {"alpha bit fields", [](BmpSpec& s) { s.compression = 6; }, "Unsupported compression"},
      {"RLE4 on 8 bits", [](BmpSpec& s) { s.compression = 2; }, "RLE4 compression needs 4 bits per pixel"},
      {"bit fields on 8 bits", [](BmpSpec& s) { s.compression = 3; }, "Bit fields need 16 or 32 bits per pixel"},
      {"top-down RLE", [](BmpSpec& s) { s.compression = 1; s.height = -2; },
       "A compressed picture cannot be stored top-down"},
      {"zero width", [](BmpSpec& s) { s.width = 0; }, "Invalid picture size"},
      {"negative width", [](BmpSpec& s) { s.width = -2; }, "Invalid picture size"},
      {"zero height", [](BmpSpec& s) { s.height = 0; }, "Invalid picture size"},
  };
  for (const Case& c : cases) {
    BmpSpec spec = good;
    c.change(spec);
    EXPECT_EQ(ReadError(picture_test::MakeBmp(spec)), c.error) << c.name;
  }
  EXPECT_EQ(ReadError("BA" + picture_test::MakeBmp(good).substr(2)), "Not a BMP file");
  EXPECT_EQ(ReadError(""), "Not a BMP file");
}

TEST(BmpReader, RefusesBadBitFields) {
  BmpSpec spec;
  spec.width = 1;
  spec.height = 1;
  spec.bitCount = 16;
  spec.compression = 3;
  spec.pixels = std::string(4, '\0');
  for (const auto& masks : {std::array<uint32_t, 3>{0, 0, 0}, std::array<uint32_t, 3>{0xF0F0, 0x0F00, 0x000F},
                            std::array<uint32_t, 3>{0xFF00, 0x0FF0, 0x000F},
                            std::array<uint32_t, 3>{0x10000, 0x00F0, 0x000F}}) {
    spec.masks = masks;
    EXPECT_EQ(ReadError(picture_test::MakeBmp(spec)), "Invalid colour masks") << std::hex << masks[0];
  }
}

TEST(BmpReader, RefusesOversizedPicturesFromTheirHeaders) {
  // Sizes whose store passes 64 MiB or overflows, in files of a few bytes.
  const std::pair<int32_t, int32_t> sizes[] = {
      {8193, 8192}, {0x7FFFFFFF, 1}, {0x7FFFFFFF, 0x7FFFFFFF}, {1, -0x7FFFFFFF}, {65536, 65536}};
  for (const auto& [width, height] : sizes) {
    BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = 8;
    spec.colors = TestPalette(256);
    spec.pixels = std::string(64, '\0');
    EXPECT_EQ(ReadError(picture_test::MakeBmp(spec)), "The picture is too large") << width << "x" << height;
  }
  BmpSpec spec;
  spec.width = 1;
  spec.height = INT32_MIN;
  spec.bitCount = 24;
  EXPECT_EQ(ReadError(picture_test::MakeBmp(spec)), "Invalid picture size");
}

// Every prefix of every layout either fails or (for the complete file) succeeds; under the
// address sanitizer this also proves no read past the end.
TEST(BmpReader, EveryTruncationFailsWithoutReadingPastTheEnd) {
  std::vector<std::string> files;
  files.push_back(picture_test::MakeBmp(IndexedSpec(4, 5, 3, false, TestIndices(5, 3, 16, 4))));
  BmpSpec core = IndexedSpec(8, 3, 2, true, TestIndices(3, 2, 256, 5));
  core.headerSize = 12;
  core.height = 2;
  files.push_back(picture_test::MakeBmp(core));
  BmpSpec v5;
  v5.headerSize = 124;
  v5.width = 3;
  v5.height = 2;
  v5.bitCount = 32;
  v5.compression = 3;
  v5.masks = std::array<uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
  v5.pixels = picture_test::PackWordRows({1, 2, 3, 4, 5, 6}, 3, 2, 32, false);
  files.push_back(picture_test::MakeBmp(v5));
  BmpSpec rle;
  rle.width = 4;
  rle.height = 2;
  rle.bitCount = 8;
  rle.compression = 1;
  rle.colors = TestPalette(4);
  rle.pixels = std::string("\x04\x01\x00\x00\x00\x04\x01\x02\x03\x00\x00\x01", 12);
  files.push_back(picture_test::MakeBmp(rle));
  for (const std::string& file : files) {
    DibBitmap dib;
    std::string error;
    ASSERT_TRUE(Read(file, dib, error)) << error;
    for (size_t length = 0; length < file.size(); ++length) {
      std::vector<uint8_t> prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
      DibBitmap partial;
      const bool ok = ReadBmp(prefix.data(), prefix.size(), partial, error);
      // Only the last row's padding, or bytes after the end of an RLE picture, may be missing.
      if (ok) {
        EXPECT_GE(length, file.size() - 3) << "prefix " << length;
      }
    }
  }
}

TEST(BmpReader, ReadsFilesIgnoringLetterCase) {
  testing_support::TempDir dir;
  const auto indices = TestIndices(3, 3, 16, 8);
  const BmpSpec spec = IndexedSpec(4, 3, 3, false, indices);
  testing_support::WriteFile(dir / "Pics/Tree.BMP", picture_test::MakeBmp(spec));
  DibBitmap dib;
  std::string error;
  ASSERT_TRUE(ReadBmpFile(dir / "pics/tree.bmp", dib, error)) << error;
  ExpectIndexedPixels(dib, indices, spec.colors, 3, 3);
  EXPECT_FALSE(ReadBmpFile(dir / "pics/none.bmp", dib, error));
  EXPECT_EQ(error, "Unable to open file");
}

TEST(BmpReader, FileClaimingAHugePictureIsRefusedFromItsHeaders) {
  testing_support::TempDir dir;
  BmpSpec spec;
  spec.width = 30000;
  spec.height = 30000;
  spec.bitCount = 24;
  spec.pixels = std::string(1000, '\0');
  testing_support::WriteFile(dir / "huge.bmp", picture_test::MakeBmp(spec));
  DibBitmap dib;
  std::string error;
  EXPECT_FALSE(ReadBmpFile(dir / "huge.bmp", dib, error));
  EXPECT_EQ(error, "The picture is too large");
}
