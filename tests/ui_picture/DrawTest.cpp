// Drawing pictures into memory device contexts: pixel for pixel when unscaled, stretched by
// repeating or dropping pixels (never blending) otherwise.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <set>

#include "picture/Dib.h"
#include "ui/DibDraw.h"

namespace {

const wxColour kBackdrop(255, 0, 255);

// A 8-bit picture whose every pixel has its own colour.
std::unique_ptr<DibBitmap> Distinct(int width, int height) {
  auto dib = std::make_unique<DibBitmap>();
  dib->header.biWidth = width;
  dib->header.biHeight = height;
  dib->header.biBitCount = 8;
  dib->colors.resize(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < dib->colors.size(); ++i)
    dib->colors[i] = RgbQuad{static_cast<uint8_t>(i * 5), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 11 % 256), 0};
  dib->header.biClrUsed = static_cast<uint32_t>(dib->colors.size());
  const size_t stride = (static_cast<size_t>(width) + 3) / 4 * 4;
  dib->bits.assign(stride * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) dib->bits[stride * (height - 1 - y) + x] = static_cast<uint8_t>(y * width + x);
  return dib;
}

CDib& Loaded(CDib& dib, std::unique_ptr<DibBitmap> bitmap) {
  EXPECT_TRUE(dib.Attach(std::move(bitmap)));
  return dib;
}

// Runs draw on a canvas filled with the backdrop and returns what the canvas shows.
template <typename Draw>
wxImage Canvas(int width, int height, Draw draw) {
  wxBitmap target(width, height, 24);
  {
    wxMemoryDC dc(target);
    dc.SetBackground(wxBrush(kBackdrop));
    dc.Clear();
    draw(dc);
  }
  return target.ConvertToImage();
}

Rgb At(const wxImage& image, int x, int y) { return Rgb{image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)}; }
bool IsBackdrop(const wxImage& image, int x, int y) { return At(image, x, y) == Rgb{255, 0, 255}; }

}  // namespace

TEST(DibDraw, CopiesPixelForPixelAtTheDestination) {
  CDib dib;
  Loaded(dib, Distinct(7, 5));
  const wxRect destination(10, 4, 7, 5);
  bool drawn = false;
  const wxImage shown = Canvas(30, 20, [&](wxDC& dc) { drawn = dib.Draw(dc, &destination); });
  ASSERT_TRUE(drawn);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      if (destination.Contains(x, y))
        ASSERT_EQ(At(shown, x, y), dib.GetBitmap()->Pixel(x - 10, y - 4)) << x << "," << y;
      else
        ASSERT_TRUE(IsBackdrop(shown, x, y)) << x << "," << y;
    }
}

TEST(DibDraw, DefaultsToTheWholePictureAtTheOrigin) {
  CDib dib;
  Loaded(dib, Distinct(4, 3));
  for (bool useDrawDib : {true, false}) {
    const wxImage shown = Canvas(6, 5, [&](wxDC& dc) { EXPECT_TRUE(dib.Draw(dc, nullptr, nullptr, useDrawDib)); });
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(At(shown, x, y), dib.GetBitmap()->Pixel(x, y));
    EXPECT_TRUE(IsBackdrop(shown, 4, 0));
    EXPECT_TRUE(IsBackdrop(shown, 0, 3));
  }
}

TEST(DibDraw, DrawsAPartOfThePicture) {
  CDib dib;
  Loaded(dib, Distinct(6, 6));
  const wxRect source(2, 1, 3, 2);
  const wxRect destination(1, 1, 3, 2);
  const wxImage shown = Canvas(8, 8, [&](wxDC& dc) { EXPECT_TRUE(dib.Draw(dc, &destination, &source)); });
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(shown, 1 + x, 1 + y), dib.GetBitmap()->Pixel(2 + x, 1 + y));
  EXPECT_TRUE(IsBackdrop(shown, 4, 1));
}

TEST(DibDraw, DoublingRepeatsEveryPixelTwiceEachWay) {
  CDib dib;
  Loaded(dib, Distinct(5, 4));
  const wxRect destination(0, 0, 10, 8);
  const wxImage shown = Canvas(12, 10, [&](wxDC& dc) { EXPECT_TRUE(dib.Draw(dc, &destination)); });
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(shown, x, y), dib.GetBitmap()->Pixel(x / 2, y / 2)) << x << "," << y;
  EXPECT_TRUE(IsBackdrop(shown, 10, 0));
}

TEST(DibDraw, OddStretchesNeverBlendAndKeepOrder) {
  CDib dib;
  Loaded(dib, Distinct(7, 3));
  for (const wxSize size : {wxSize(10, 4), wxSize(17, 7), wxSize(5, 2), wxSize(3, 3)}) {
    const wxRect destination(wxPoint(0, 0), size);
    const wxImage shown = Canvas(size.x, size.y, [&](wxDC& dc) { EXPECT_TRUE(dib.Draw(dc, &destination)); });
    int lastColumn = -1;
    for (int x = 0; x < size.x; ++x) {
      // Every shown pixel is one of the picture's; its source column never moves backwards.
      int column = -1;
      for (int sx = 0; sx < 7 && column < 0; ++sx)
        for (int sy = 0; sy < 3; ++sy)
          if (At(shown, x, 0) == dib.GetBitmap()->Pixel(sx, sy)) column = sx;
      ASSERT_GE(column, 0) << "blended pixel at " << x << " for " << size.x << "x" << size.y;
      EXPECT_GE(column, lastColumn);
      lastColumn = column;
    }
    if (size.x >= 7 && size.y >= 3) {  // enlarged: the corners stay the corners
      EXPECT_EQ(At(shown, 0, 0), dib.GetBitmap()->Pixel(0, 0));
      EXPECT_EQ(At(shown, size.x - 1, size.y - 1), dib.GetBitmap()->Pixel(6, 2));
    }
  }
}

TEST(DibDraw, HalvingACheckerboardPicksPixelsInsteadOfGrey) {
  auto checker = std::make_unique<DibBitmap>();
  checker->header.biWidth = 400;
  checker->header.biHeight = 224;
  checker->header.biBitCount = 1;
  checker->colors = {RgbQuad{0, 0, 0, 0}, RgbQuad{255, 255, 255, 0}};
  const size_t stride = 52;
  checker->bits.assign(stride * 224, 0);
  for (int y = 0; y < 224; ++y)
    for (size_t i = 0; i < 50; ++i) checker->bits[stride * y + i] = y % 2 ? 0xAA : 0x55;
  CDib dib;
  Loaded(dib, std::move(checker));
  const wxRect destination(0, 0, 200, 112);
  const wxImage shown = Canvas(200, 112, [&](wxDC& dc) { EXPECT_TRUE(dib.Draw(dc, &destination)); });
  std::set<int> levels;
  for (int y = 0; y < 112; ++y)
    for (int x = 0; x < 200; ++x) levels.insert(shown.GetRed(x, y));
  // Picking every other pixel of a one-pixel checkerboard gives one of its colours throughout;
  // blending would give grey.
  EXPECT_TRUE(levels == std::set<int>{0} || levels == std::set<int>{255}) << levels.size() << " levels";
}

TEST(DibDraw, DrawsEveryDepthInItsColours) {
  struct Case {
    unsigned bitCount;
    std::vector<uint8_t> row;  // one pixel, padded
    std::array<uint32_t, 3> masks;
    std::vector<RgbQuad> colors;
    Rgb expected;
  };
  const Case cases[] = {
      {1, {0x80, 0, 0, 0}, {}, {RgbQuad{0, 0, 0, 0}, RgbQuad{30, 20, 10, 0}}, {10, 20, 30}},
      {4, {0x20, 0, 0, 0}, {}, {RgbQuad{}, RgbQuad{}, RgbQuad{7, 8, 9, 0}}, {9, 8, 7}},
      {16, {0x1F, 0x7C, 0, 0}, {0x7C00, 0x03E0, 0x001F}, {}, {255, 0, 255}},
      {24, {1, 2, 3, 0}, {}, {}, {3, 2, 1}},
      {32, {4, 5, 6, 7}, {0xFF0000, 0xFF00, 0xFF}, {}, {6, 5, 4}},
  };
  for (const Case& c : cases) {
    auto bitmap = std::make_unique<DibBitmap>();
    bitmap->header.biWidth = 1;
    bitmap->header.biHeight = 1;
    bitmap->header.biBitCount = static_cast<uint16_t>(c.bitCount);
    bitmap->masks = c.masks;
    bitmap->colors = c.colors;
    bitmap->bits = c.row;
    CDib dib;
    Loaded(dib, std::move(bitmap));
    const wxImage shown = Canvas(2, 2, [&](wxDC& dc) { EXPECT_TRUE(dib.Draw(dc)); });
    EXPECT_EQ(At(shown, 0, 0), c.expected) << c.bitCount << " bits";
  }
}

TEST(DibDraw, RefusesEmptyPicturesAndEmptyRectangles) {
  CDib empty;
  const wxImage untouched = Canvas(4, 4, [&](wxDC& dc) { EXPECT_FALSE(empty.Draw(dc)); });
  EXPECT_TRUE(IsBackdrop(untouched, 0, 0));
  CDib dib;
  Loaded(dib, Distinct(3, 3));
  const wxRect flat(0, 0, 0, 3);
  Canvas(4, 4, [&](wxDC& dc) { EXPECT_FALSE(dib.Draw(dc, &flat)); });
  Canvas(4, 4, [&](wxDC& dc) { EXPECT_FALSE(DrawBitmap(dc, wxNullBitmap)); });
}

TEST(DrawBitmap, CopiesAndStretchesAnyBitmap) {
  wxImage image(2, 2);
  image.SetRGB(0, 0, 10, 20, 30);
  image.SetRGB(1, 0, 40, 50, 60);
  image.SetRGB(0, 1, 70, 80, 90);
  image.SetRGB(1, 1, 100, 110, 120);
  const wxBitmap bitmap(image);
  const wxImage copied = Canvas(3, 3, [&](wxDC& dc) { EXPECT_TRUE(DrawBitmap(dc, bitmap)); });
  EXPECT_EQ(At(copied, 1, 1), (Rgb{100, 110, 120}));
  EXPECT_TRUE(IsBackdrop(copied, 2, 2));
  const wxRect destination(1, 1, 4, 4);
  const wxImage stretched = Canvas(6, 6, [&](wxDC& dc) { EXPECT_TRUE(DrawBitmap(dc, bitmap, &destination)); });
  EXPECT_EQ(At(stretched, 1, 1), (Rgb{10, 20, 30}));
  EXPECT_EQ(At(stretched, 2, 2), (Rgb{10, 20, 30}));
  EXPECT_EQ(At(stretched, 3, 2), (Rgb{40, 50, 60}));
  EXPECT_EQ(At(stretched, 4, 4), (Rgb{100, 110, 120}));
  EXPECT_TRUE(IsBackdrop(stretched, 5, 5));
}

TEST(DibDraw, AnotherPaletteCanBeGiven) {
  CDib dib;
  Loaded(dib, Distinct(2, 2));
  CPalette palette;
  ASSERT_TRUE(palette.CreateHalftonePalette());
  const wxImage shown = Canvas(2, 2, [&](wxDC& dc) { EXPECT_TRUE(dib.Draw(dc, nullptr, nullptr, false, &palette, true)); });
  EXPECT_EQ(At(shown, 1, 1), dib.GetBitmap()->Pixel(1, 1)) << "true colour shows the picture's own colours";
  EXPECT_EQ(RealizePalette(palette, true), 0);
}

// A display scaled by two (HiDPI) shows each picture pixel as a block of 2 × 2 display pixels,
// never pixels smoothed between two colours.
TEST(DibDraw, AScaledDisplayShowsSharpPixels) {
  CDib dib;
  Loaded(dib, Distinct(4, 3));
  wxBitmap target;
  ASSERT_TRUE(target.CreateWithDIPSize(wxSize(4, 3), 2.0, 24));
  {
    wxMemoryDC dc(target);
    ASSERT_EQ(dc.GetContentScaleFactor(), 2.0);
    ASSERT_TRUE(dib.Draw(dc, nullptr, nullptr, false));
  }
  const wxImage shown = target.ConvertToImage();
  ASSERT_EQ(shown.GetSize(), wxSize(8, 6));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(At(shown, x, y), dib.GetBitmap()->Pixel(x / 2, y / 2)) << x << "," << y;
}
