#include <gtest/gtest.h>

#include "ui/WindowRect.h"

namespace {

TEST(WindowRect, FormatsAndParsesFourNumbers) {
  WindowRect rect{10, 20, 310, 220};
  EXPECT_EQ(FormatWindowRect(rect), "10,20,310,220");
  WindowRect read;
  ASSERT_TRUE(ParseWindowRect("10,20,310,220", read));
  EXPECT_EQ(read, rect);
  // Negative coordinates are written as unsigned 32-bit numbers and read back as themselves.
  const WindowRect left{-1280, -4, -100, 300};
  EXPECT_EQ(FormatWindowRect(left), "4294966016,4294967292,4294967196,300");
  ASSERT_TRUE(ParseWindowRect(FormatWindowRect(left), read));
  EXPECT_EQ(read, left);
}

TEST(WindowRect, ParsingSkipsWhatIsNotADigitAndNeedsFourNumbers) {
  WindowRect rect{1, 2, 3, 4};
  ASSERT_TRUE(ParseWindowRect("  x7;; 8 -9 ten 11 12", rect));
  EXPECT_EQ(rect, (WindowRect{7, 8, 9, 11}));
  EXPECT_FALSE(ParseWindowRect("5,6,7", rect));
  EXPECT_FALSE(ParseWindowRect("", rect));
  EXPECT_EQ(rect, (WindowRect{7, 8, 9, 11}));
  ASSERT_TRUE(ParseWindowRect("99999999999,0,0,0", rect));  // beyond 32 bits: the largest value
  EXPECT_EQ(static_cast<uint32_t>(rect.left), UINT32_MAX);
  ASSERT_TRUE(ParseWindowRect("0,0,0,0", rect));
  EXPECT_TRUE(rect.IsEmpty());
}

TEST(WindowRect, StoredRectIsCutToTheMaximizedSizeAndMustMeetADisplay) {
  const std::vector<WindowRect> displays = {{0, 0, 1280, 1024}};
  WindowRect placed;
  ASSERT_TRUE(PlaceStoredRect({100, 100, 500, 400}, 1280, 1000, displays, placed));
  EXPECT_EQ(placed, (WindowRect{100, 100, 500, 400}));
  // Wider and taller than the screen: right and bottom edges cut.
  ASSERT_TRUE(PlaceStoredRect({-50, 10, 3000, 2000}, 1280, 1000, displays, placed));
  EXPECT_EQ(placed, (WindowRect{-50, 10, 1280, 1000}));
  // Empty, or on a display that is no longer connected: not applied.
  EXPECT_FALSE(PlaceStoredRect({0, 0, 0, 0}, 1280, 1000, displays, placed));
  EXPECT_FALSE(PlaceStoredRect({-900, 100, -300, 400}, 1280, 1000, displays, placed));
  EXPECT_FALSE(PlaceStoredRect({1500, 100, 1900, 400}, 1280, 1000, displays, placed));
  // A second display to the left makes the same rectangle valid.
  const std::vector<WindowRect> two = {{0, 0, 1280, 1024}, {-1024, 0, 0, 768}};
  ASSERT_TRUE(PlaceStoredRect({-900, 100, -300, 400}, 1280, 1000, two, placed));
  EXPECT_EQ(placed, (WindowRect{-900, 100, -300, 400}));
}

}  // namespace
