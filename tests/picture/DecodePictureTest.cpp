// The story tool's picture decoding: the BMP it writes holds the DIB the player builds.
#include <gtest/gtest.h>

#include "tests/picture/PictureBuilders.h"
#include "tests/support/TestFiles.h"
#include "tools/storytool/DecodePicture.h"
#include "picture/BmpReader.h"
#include "picture/PictureFactory.h"

namespace {

DibBitmap ReadWritten(const std::string& path) {
  const std::string bytes = testing_support::ReadFile(path);
  DibBitmap dib;
  std::string error;
  EXPECT_TRUE(ReadBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), dib, error)) << error;
  return dib;
}

void ExpectSameDib(const DibBitmap& written, const DibBitmap& loaded) {
  EXPECT_EQ(written.header.biBitCount, loaded.header.biBitCount);
  EXPECT_EQ(written.header.biWidth, loaded.header.biWidth);
  EXPECT_EQ(written.header.biHeight, loaded.header.biHeight);
  EXPECT_EQ(written.header.biXPelsPerMeter, loaded.header.biXPelsPerMeter);
  EXPECT_EQ(written.colors.size(), loaded.colors.size());
  EXPECT_EQ(written.masks, loaded.masks);
  EXPECT_EQ(written.bits, loaded.bits);
}

}  // namespace

TEST(DecodePicture, WritesTheConvertedPngAsBmp) {
  testing_support::TempDir dir;
  picture_test::PngSpec spec;
  spec.width = 5;
  spec.height = 3;
  spec.colorType = 0;
  spec.bitDepth = 2;
  spec.samples = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2};
  spec.density = std::array<uint32_t, 2>{2000, 2000};
  testing_support::WriteFile(dir / "grey.png", picture_test::MakePng(spec));
  std::string error;
  ASSERT_TRUE(DecodePicture(dir / "GREY.png", dir / "out.bmp", error)) << error;
  const DibBitmap written = ReadWritten(dir / "out.bmp");
  const auto loaded = LoadPictureFile(dir / "grey.png");
  ASSERT_TRUE(loaded);
  ExpectSameDib(written, *loaded->GetBitmap());
  EXPECT_EQ(written.header.biBitCount, 4u);
  EXPECT_EQ(written.colors.size(), 4u);
  EXPECT_EQ(written.header.biXPelsPerMeter, 2000);
}

TEST(DecodePicture, WritesBitFieldAndRleBmpsUncompressed) {
  testing_support::TempDir dir;
  picture_test::BmpSpec fields;
  fields.width = 3;
  fields.height = -2;
  fields.bitCount = 16;
  fields.compression = 3;
  fields.masks = std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F};
  fields.pixels = picture_test::PackWordRows({0xF800, 0x07E0, 0x001F, 0xFFFF, 0, 0x1234}, 3, 2, 16, true);
  picture_test::BmpSpec rle;
  rle.width = 4;
  rle.height = 2;
  rle.bitCount = 8;
  rle.compression = 1;
  rle.colors = {{1, 2, 3}, {4, 5, 6}};
  rle.pixels = std::string("\x04\x01\x00\x00\x02\x00\x02\x01\x00\x01", 10);
  for (const auto& spec : {fields, rle}) {
    testing_support::WriteFile(dir / "in.bmp", picture_test::MakeBmp(spec));
    std::string error;
    ASSERT_TRUE(DecodePicture(dir / "in.bmp", dir / "out.bmp", error)) << error;
    const auto loaded = LoadPictureFile(dir / "in.bmp");
    ASSERT_TRUE(loaded);
    const DibBitmap written = ReadWritten(dir / "out.bmp");
    ExpectSameDib(written, *loaded->GetBitmap());
    for (int y = 0; y < written.Height(); ++y)
      for (int x = 0; x < written.Width(); ++x) EXPECT_EQ(written.Pixel(x, y), loaded->GetBitmap()->Pixel(x, y));
  }
}

TEST(DecodePicture, ReportsWhatWentWrong) {
  testing_support::TempDir dir;
  std::string error;
  EXPECT_FALSE(DecodePicture(dir / "missing.png", dir / "out.bmp", error));
  EXPECT_EQ(error, "Unable to open file");
  testing_support::WriteFile(dir / "bad.png", std::string("\x89PNG\r\n\x1a\n", 8) + "junk");
  EXPECT_FALSE(DecodePicture(dir / "bad.png", dir / "out.bmp", error));
  EXPECT_NE(error.find("[libpng]"), std::string::npos) << error;
  picture_test::BmpSpec spec;
  spec.width = 1;
  spec.height = 1;
  spec.bitCount = 24;
  spec.pixels = std::string(4, '\0');
  testing_support::WriteFile(dir / "ok.bmp", picture_test::MakeBmp(spec));
  EXPECT_FALSE(DecodePicture(dir / "ok.bmp", dir / "no/such/folder/out.bmp", error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}
