// CDib and CDibPng: loading, attaching, colour tables and the palettes built from them; the
// picture factories and the embedded bitmap resources.
#include <gtest/gtest.h>

#include <set>

#include "res/Resources.h"
#include "tests/picture/PictureBuilders.h"
#include "tests/support/TestFiles.h"
#include "picture/BmpReader.h"
#include "picture/Dib.h"
#include "picture/DibPng.h"
#include "picture/PictureFactory.h"

using picture_test::BmpSpec;
using picture_test::Color;
using picture_test::PngSpec;

namespace {

// Ids of the bitmap embedded in this test program (see tests/CMakeLists.txt).
constexpr unsigned kTestBitmapId = 9001;
constexpr unsigned kTestRawId = 9002;

std::vector<Color> Colors(size_t count) {
  std::vector<Color> colors;
  for (size_t i = 0; i < count; ++i)
    colors.push_back(Color{static_cast<uint8_t>(i * 3), static_cast<uint8_t>(i * 5 % 256), static_cast<uint8_t>(255 - i)});
  return colors;
}

std::string IndexedBmp(unsigned bitCount, size_t colorCount) {
  BmpSpec spec;
  spec.width = 4;
  spec.height = 2;
  spec.bitCount = static_cast<uint16_t>(bitCount);
  spec.colors = Colors(colorCount);
  std::vector<unsigned> indices = {0, 1, 1, 0, 1, 0, 0, 1};
  spec.pixels = picture_test::PackIndexRows(indices, 4, 2, bitCount, false);
  return picture_test::MakeBmp(spec);
}

std::string TrueColourBmp() {
  BmpSpec spec;
  spec.width = 2;
  spec.height = 2;
  spec.bitCount = 24;
  spec.pixels = picture_test::PackRgbRows({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}, 2, 2, false);
  return picture_test::MakeBmp(spec);
}

std::unique_ptr<DibBitmap> ParseBmp(const std::string& bytes) {
  auto dib = std::make_unique<DibBitmap>();
  std::string error;
  EXPECT_TRUE(ReadBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), *dib, error)) << error;
  return dib;
}

void ExpectPaletteMatchesTable(const CDib& dib, const std::vector<Color>& colors) {
  const CPalette& palette = dib.GetPalette();
  ASSERT_TRUE(palette.IsCreated());
  ASSERT_EQ(palette.GetEntryCount(), colors.size());
  for (size_t i = 0; i < colors.size(); ++i)
    EXPECT_EQ(palette.Entries()[i], (PaletteEntry{colors[i][0], colors[i][1], colors[i][2], 0})) << i;
}

void ExpectHalftone(const CPalette& palette) {
  ASSERT_TRUE(palette.IsCreated());
  ASSERT_EQ(palette.GetEntryCount(), 256u);
  std::set<std::tuple<int, int, int>> distinct;
  int greys = 0;
  for (const PaletteEntry& e : palette.Entries()) {
    distinct.insert({e.peRed, e.peGreen, e.peBlue});
    if (e.peRed == e.peGreen && e.peGreen == e.peBlue) ++greys;
  }
  EXPECT_EQ(distinct.size(), 256u) << "no colour twice";
  EXPECT_EQ(greys, 46) << "six greys of the cube and forty more";
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) EXPECT_TRUE(distinct.count({r * 51, g * 51, b * 51})) << r << g << b;
}

}  // namespace

TEST(Dib, StartsEmptyAndRefusesWorkUntilLoaded) {
  CDib dib;
  EXPECT_TRUE(dib.IsEmpty());
  EXPECT_EQ(dib.GetWidth(), 0);
  RgbQuad table[4];
  EXPECT_EQ(dib.GetColorTable(table, 4), 0u);
  EXPECT_EQ(dib.SetColorTable(table, 4), 0u);
  EXPECT_FALSE(dib.GetPalette().IsCreated());
  EXPECT_FALSE(dib.Attach(nullptr));
  auto inconsistent = ParseBmp(IndexedBmp(8, 4));
  inconsistent->bits.pop_back();
  EXPECT_FALSE(dib.Attach(std::move(inconsistent)));
  EXPECT_TRUE(dib.IsEmpty());
}

TEST(Dib, LoadsBmpFilesWithTheirPalette) {
  testing_support::TempDir dir;
  testing_support::WriteFile(dir / "Pics/Door.bmp", IndexedBmp(8, 5));
  CDib dib;
  ASSERT_TRUE(dib.Load(dir / "pics/DOOR.BMP")) << dib.GetLoadError();
  EXPECT_EQ(dib.GetWidth(), 4);
  EXPECT_EQ(dib.GetHeight(), 2);
  const BitmapRecord& bm = dib.GetBitmapRecord();
  EXPECT_EQ(bm.bmWidthBytes, 4);
  EXPECT_EQ(bm.bmBitsPixel, 8);
  EXPECT_EQ(bm.bmPlanes, 1);
  EXPECT_EQ(bm.bmBits, dib.GetBitmap()->bits.data());
  ExpectPaletteMatchesTable(dib, Colors(5));
  EXPECT_TRUE(dib.GetLoadError().empty());
}

TEST(Dib, TrueColourPicturesGetTheHalftonePalette) {
  CDib dib;
  ASSERT_TRUE(dib.Attach(ParseBmp(TrueColourBmp())));
  RgbQuad table[256];
  EXPECT_EQ(dib.GetColorTable(table, 256), 0u);
  ExpectHalftone(dib.GetPalette());
}

TEST(Dib, SetColorTableRewritesEntriesAndRebuildsThePalette) {
  CDib dib;
  ASSERT_TRUE(dib.Attach(ParseBmp(IndexedBmp(4, 3))));
  const RgbQuad replacement[5] = {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}, {1, 1, 1, 0}, {2, 2, 2, 0}};
  EXPECT_EQ(dib.SetColorTable(replacement, 2), 2u);
  EXPECT_EQ(dib.GetBitmap()->Pixel(1, 0), (Rgb{60, 50, 40}));
  ExpectPaletteMatchesTable(dib, {{30, 20, 10}, {60, 50, 40}, {Colors(3)[2]}});
  EXPECT_EQ(dib.SetColorTable(replacement, 5), 3u) << "the table keeps its size";
  RgbQuad table[8];
  ASSERT_EQ(dib.GetColorTable(table, 8), 3u);
  EXPECT_EQ(table[2].rgbRed, 90);
  EXPECT_EQ(dib.GetColorTable(table, 1), 1u);

  CDib trueColour;
  ASSERT_TRUE(trueColour.Attach(ParseBmp(TrueColourBmp())));
  EXPECT_EQ(trueColour.SetColorTable(replacement, 2), 0u);
  ExpectHalftone(trueColour.GetPalette());
}

TEST(Dib, SecondAttachReplacesBitmapAndPaletteAndDeleteEmpties) {
  CDib dib;
  ASSERT_TRUE(dib.Attach(ParseBmp(IndexedBmp(8, 7))));
  ASSERT_EQ(dib.GetPalette().GetEntryCount(), 7u);
  ASSERT_TRUE(dib.Attach(ParseBmp(TrueColourBmp())));
  EXPECT_EQ(dib.GetWidth(), 2);
  ExpectHalftone(dib.GetPalette());
  dib.DeleteObject();
  EXPECT_TRUE(dib.IsEmpty());
  EXPECT_EQ(dib.GetBitmapRecord().bmBits, nullptr);
  EXPECT_FALSE(dib.GetPalette().IsCreated());
}

TEST(Dib, FailedLoadKeepsThePictureAndSaysWhy) {
  testing_support::TempDir dir;
  testing_support::WriteFile(dir / "good.bmp", IndexedBmp(1, 2));
  testing_support::WriteFile(dir / "bad.bmp", "BM\x10\x00\x00\x00");
  CDib dib;
  ASSERT_TRUE(dib.Load(dir / "good.bmp"));
  EXPECT_FALSE(dib.Load(dir / "bad.bmp"));
  EXPECT_EQ(dib.GetLoadError(), "The file is truncated");
  EXPECT_FALSE(dib.Load(dir / "missing.bmp"));
  EXPECT_EQ(dib.GetLoadError(), "Unable to open file");
  EXPECT_EQ(dib.GetWidth(), 4);
  ExpectPaletteMatchesTable(dib, Colors(2));
}

TEST(Dib, BuildPaletteFillsAnyPalette) {
  CDib dib;
  ASSERT_TRUE(dib.Attach(ParseBmp(IndexedBmp(8, 3))));
  CPalette copy;
  ASSERT_TRUE(copy.CreateHalftonePalette());
  ASSERT_TRUE(dib.BuildPalette(copy));
  EXPECT_EQ(copy.GetEntryCount(), 3u);
}

TEST(DibPng, LoadsPngsWithTheConvertedColourTable) {
  testing_support::TempDir dir;
  PngSpec palette;
  palette.width = 3;
  palette.height = 2;
  palette.colorType = 3;
  palette.bitDepth = 2;
  palette.palette = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}};
  palette.samples = {0, 1, 2, 2, 1, 0};
  testing_support::WriteFile(dir / "p.png", picture_test::MakePng(palette));
  CDibPng dib;
  ASSERT_TRUE(dib.Load(dir / "P.PNG")) << dib.GetLoadError();
  EXPECT_EQ(dib.GetBitmapRecord().bmBitsPixel, 4);
  ExpectPaletteMatchesTable(dib, palette.palette);
  EXPECT_EQ(dib.GetBitmap()->Pixel(2, 0), (Rgb{0, 0, 200}));

  PngSpec rgb;
  rgb.width = 1;
  rgb.height = 1;
  rgb.colorType = 2;
  rgb.samples = {9, 8, 7};
  testing_support::WriteFile(dir / "rgb.png", picture_test::MakePng(rgb));
  ASSERT_TRUE(dib.Load(dir / "rgb.png"));
  EXPECT_EQ(dib.GetBitmap()->Pixel(0, 0), (Rgb{9, 8, 7}));
  ExpectHalftone(dib.GetPalette());

  testing_support::WriteFile(dir / "broken.png", picture_test::MakePng(rgb).substr(0, 40));
  EXPECT_FALSE(dib.Load(dir / "broken.png"));
  EXPECT_EQ(dib.GetLoadError().rfind("[libpng] ", 0), 0u) << dib.GetLoadError();
  EXPECT_EQ(dib.GetWidth(), 1) << "a failed load keeps the picture";
}

TEST(PictureFactory, ChoosesTheDecoderByContentNotByName) {
  testing_support::TempDir dir;
  PngSpec png;
  png.width = 2;
  png.height = 1;
  png.colorType = 0;
  png.samples = {0, 255};
  testing_support::WriteFile(dir / "really-png.bmp", picture_test::MakePng(png));
  testing_support::WriteFile(dir / "really-bmp.png", IndexedBmp(4, 16));
  testing_support::WriteFile(dir / "neither.png", "GIF89a");

  std::unique_ptr<CDib> picture = LoadPictureFile(dir / "really-png.bmp");
  ASSERT_TRUE(picture);
  EXPECT_TRUE(dynamic_cast<CDibPng*>(picture.get()));
  EXPECT_EQ(picture->GetWidth(), 2);

  picture = LoadPictureFile(dir / "REALLY-BMP.png");
  ASSERT_TRUE(picture);
  EXPECT_FALSE(dynamic_cast<CDibPng*>(picture.get()));
  EXPECT_EQ(picture->GetWidth(), 4);

  EXPECT_FALSE(LoadPictureFile(dir / "neither.png"));
  EXPECT_FALSE(LoadPictureFile(dir / "absent.bmp"));
  EXPECT_FALSE(LoadPictureFile(""));
}

TEST(PictureFactory, LoadsEmbeddedBitmapResources) {
  const std::string file = testing_support::ReadFile(testing_support::SourceDir() + "/tests/picture/data/resource.bmp");
  ASSERT_FALSE(file.empty());
  const uint8_t* data = nullptr;
  size_t size = 0;
  ASSERT_TRUE(res::FindResource(res::ResourceType::Bitmap, kTestBitmapId, data, size));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), file);
  ASSERT_TRUE(res::FindResource(res::ResourceType::RawData, kTestRawId, data, size));
  EXPECT_FALSE(res::FindResource(res::ResourceType::RawData, kTestBitmapId, data, size));
  EXPECT_FALSE(res::FindResource(res::ResourceType::Bitmap, 1, data, size));

  std::unique_ptr<CDib> picture = LoadPictureResource(kTestBitmapId);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->GetWidth(), 5);
  EXPECT_EQ(picture->GetHeight(), 3);
  EXPECT_EQ(picture->GetBitmap()->Pixel(1, 0), (Rgb{0, 128, 255}));
  EXPECT_EQ(picture->GetBitmap()->Pixel(4, 2), (Rgb{0, 0, 0}));
  EXPECT_EQ(picture->GetPalette().GetEntryCount(), 3u);
  EXPECT_FALSE(LoadPictureResource(1));

  CDib dib;
  EXPECT_FALSE(dib.Load(1u));
  EXPECT_EQ(dib.GetLoadError(), "No bitmap resource 1");
}
