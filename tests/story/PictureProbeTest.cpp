// The picture header probes and the size check of validation.
#include "story/PictureProbe.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/story/StoryTestSupport.h"
#include "tests/support/TestPictures.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

TEST(PictureProbe, RecognisesPngSignature) {
  TempDir dir;
  WriteFile(dir / "a.png", PngBytes(3, 4));
  WriteFile(dir / "a.bmp", BmpBytes(3, 4));
  WriteFile(dir / "short.png", "\x89PN");
  EXPECT_TRUE(IsPngFile(dir / "a.png"));
  EXPECT_TRUE(IsPngFile(dir / "A.PNG"));
  EXPECT_FALSE(IsPngFile(dir / "a.bmp"));
  EXPECT_FALSE(IsPngFile(dir / "short.png"));
  EXPECT_FALSE(IsPngFile(dir / "missing.png"));
}

TEST(PictureProbe, ReadsBmpSize) {
  TempDir dir;
  WriteFile(dir / "a.bmp", BmpBytes(200, 112));
  WriteFile(dir / "top.bmp", BmpBytes(7, -9));
  int32_t width = 0, height = 0;
  ASSERT_TRUE(ReadBmpFileSize(dir / "A.Bmp", width, height));
  EXPECT_EQ(width, 200);
  EXPECT_EQ(height, 112);
  ASSERT_TRUE(ReadBmpFileSize(dir / "top.bmp", width, height));
  EXPECT_EQ(width, 7);
  EXPECT_EQ(height, -9);
}

TEST(PictureProbe, RejectsWhatIsNoBmp) {
  TempDir dir;
  std::string bmp = BmpBytes(5, 5);
  WriteFile(dir / "short.bmp", bmp.substr(0, 53));
  std::string wrongMagic = bmp;
  wrongMagic[0] = 'X';
  WriteFile(dir / "magic.bmp", wrongMagic);
  WriteFile(dir / "a.png", PngBytes(5, 5));
  int32_t width = -1, height = -1;
  EXPECT_FALSE(ReadBmpFileSize(dir / "short.bmp", width, height));
  EXPECT_FALSE(ReadBmpFileSize(dir / "magic.bmp", width, height));
  EXPECT_FALSE(ReadBmpFileSize(dir / "a.png", width, height));
  EXPECT_FALSE(ReadBmpFileSize(dir / "missing.bmp", width, height));
  EXPECT_EQ(width, -1);
}

TEST(PictureProbe, ReadsPngSize) {
  TempDir dir;
  WriteFile(dir / "a.png", PngBytes(201, 3));
  int32_t width = 0, height = 0;
  ASSERT_TRUE(ReadPngFileSize(dir / "a.png", width, height));
  EXPECT_EQ(width, 201);
  EXPECT_EQ(height, 3);
}

TEST(PictureProbe, RejectsBrokenPngWithoutAborting) {
  TempDir dir;
  std::string png = PngBytes(10, 10);
  std::string badCrc = png;
  badCrc[29] ^= 0x55;  // inside the header chunk's CRC
  WriteFile(dir / "crc.png", badCrc);
  WriteFile(dir / "cut.png", png.substr(0, 20));
  std::string zeroWidth = png;
  zeroWidth[16] = zeroWidth[17] = zeroWidth[18] = zeroWidth[19] = 0;
  WriteFile(dir / "zero.png", zeroWidth);
  WriteFile(dir / "a.bmp", BmpBytes(5, 5));
  int32_t width = -1, height = -1;
  EXPECT_FALSE(ReadPngFileSize(dir / "crc.png", width, height));
  EXPECT_FALSE(ReadPngFileSize(dir / "cut.png", width, height));
  EXPECT_FALSE(ReadPngFileSize(dir / "zero.png", width, height));
  EXPECT_FALSE(ReadPngFileSize(dir / "a.bmp", width, height));
  EXPECT_FALSE(ReadPngFileSize(dir / "missing.png", width, height));
  EXPECT_EQ(width, -1);
}

TEST(PictureProbe, PngChunkDeclaringGigabytesCostsNothing) {
  TempDir dir;
  WriteFile(dir / "tiny.png", testing_support::PngWithHugeChunk(PngBytes(2, 2)));
  const long before = testing_support::PeakResidentKiB();
  int32_t width = -1, height = -1;
  EXPECT_FALSE(ReadPngFileSize(dir / "tiny.png", width, height));
  EXPECT_LT(testing_support::PeakResidentKiB() - before, 256 * 1024) << "KiB more at the peak";
}

TEST(PictureProbe, CheckImageComparesWithLimit) {
  TempDir dir;
  WriteFile(dir / "fits.bmp", BmpBytes(200, 112));
  WriteFile(dir / "wide.bmp", BmpBytes(201, 112));
  WriteFile(dir / "high.bmp", BmpBytes(200, 113));
  WriteFile(dir / "top.bmp", BmpBytes(200, -113));
  WriteFile(dir / "fits.png", PngBytes(200, 112));
  WriteFile(dir / "high.png", PngBytes(1, 113));
  WriteFile(dir / "png-named.bmp", PngBytes(20, 20));
  WriteFile(dir / "text.bmp", "hello");
  testing_support::MakeFolders(dir / "folder.bmp");
  ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
  EXPECT_EQ(CheckImage(dir / "fits.bmp"), ImageCheck::Fits);
  EXPECT_EQ(CheckImage(dir / "wide.bmp"), ImageCheck::TooLarge);
  EXPECT_EQ(CheckImage(dir / "high.bmp"), ImageCheck::TooLarge);
  EXPECT_EQ(CheckImage(dir / "top.bmp"), ImageCheck::Fits);
  EXPECT_EQ(CheckImage(dir / "fits.png"), ImageCheck::Fits);
  EXPECT_EQ(CheckImage(dir / "high.png"), ImageCheck::TooLarge);
  EXPECT_EQ(CheckImage(dir / "png-named.bmp"), ImageCheck::Fits);
  EXPECT_EQ(CheckImage(dir / "text.bmp"), ImageCheck::Unreadable);
  EXPECT_EQ(CheckImage(dir / "folder.bmp"), ImageCheck::Unreadable);
  EXPECT_EQ(CheckImage(dir / "pipe.bmp"), ImageCheck::Unreadable);
  EXPECT_EQ(CheckImage(dir / "missing.bmp"), ImageCheck::Unreadable);
}

}  // namespace
