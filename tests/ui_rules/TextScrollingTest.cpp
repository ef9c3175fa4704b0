#include <gtest/gtest.h>

#include "ui/TextScrolling.h"

namespace {

// A text of 40 lines in a window of 10.
constexpr int kLines = 40;
constexpr int kPage = 10;

int Next(ScrollCode code, int top, int thumb = 0) { return NextTopLine(code, top, kLines, kPage, thumb); }

TEST(TextScrolling, LineUpAndDown) {
  EXPECT_EQ(Next(ScrollCode::LineDown, 0), 1);
  EXPECT_EQ(Next(ScrollCode::LineDown, 30), 31);  // 31 = lines - page + 1, the last page's top
  EXPECT_EQ(Next(ScrollCode::LineDown, 31), 40);  // one further jumps to the end
  EXPECT_EQ(Next(ScrollCode::LineDown, 40), 40);
  EXPECT_EQ(Next(ScrollCode::LineUp, 5), 4);
  EXPECT_EQ(Next(ScrollCode::LineUp, 0), 0);
  EXPECT_EQ(Next(ScrollCode::LineUp, 40), 31);    // from the end back to the last page's top
  EXPECT_EQ(Next(ScrollCode::LineUp, 32), 31);
  EXPECT_EQ(Next(ScrollCode::LineUp, 31), 30);
}

TEST(TextScrolling, PageUpAndDown) {
  EXPECT_EQ(Next(ScrollCode::PageDown, 0), 9);  // a page less one line: the last line stays
  EXPECT_EQ(Next(ScrollCode::PageDown, 35), 40);
  EXPECT_EQ(Next(ScrollCode::PageDown, 40), 40);
  EXPECT_EQ(Next(ScrollCode::PageUp, 20), 11);
  EXPECT_EQ(Next(ScrollCode::PageUp, 5), 0);
  EXPECT_EQ(Next(ScrollCode::PageUp, 0), 0);
  EXPECT_EQ(Next(ScrollCode::PageUp, 40), 22);  // beyond the last page: lines - 2 pages + 2
  EXPECT_EQ(Next(ScrollCode::PageUp, 31), 22);
}

TEST(TextScrolling, ThumbTopAndBottom) {
  EXPECT_EQ(Next(ScrollCode::ThumbTrack, 3, 17), 17);
  EXPECT_EQ(Next(ScrollCode::ThumbPosition, 17, 2), 2);
  EXPECT_EQ(Next(ScrollCode::Top, 25), 0);
  EXPECT_EQ(Next(ScrollCode::Bottom, 2), 40);
}

TEST(TextScrolling, ShortTextsStayAtTheirFirstLine) {
  // Three lines in a window of ten: page up from anywhere goes back to 0.
  EXPECT_EQ(NextTopLine(ScrollCode::PageUp, 3, 3, 10), 0);
  EXPECT_EQ(NextTopLine(ScrollCode::LineUp, 3, 3, 10), 0);
  EXPECT_EQ(NextTopLine(ScrollCode::LineDown, 0, 3, 10), 3);
  EXPECT_EQ(NextTopLine(ScrollCode::LineDown, 0, 0, 10), 0);
}

TEST(TextScrolling, ScrollBarShowsTheTopAsFarAsItGoes) {
  EXPECT_EQ(ScrollBarRange(kLines), 41);
  EXPECT_EQ(ScrollBarThumb(kPage), 9);
  EXPECT_EQ(ScrollBarThumb(1), 1);
  EXPECT_EQ(ScrollBarPosition(12, kLines, kPage), 12);
  EXPECT_EQ(ScrollBarPosition(40, kLines, kPage), 32);  // range 41 less a thumb of 9
  EXPECT_EQ(ScrollBarPosition(-3, kLines, kPage), 0);
  EXPECT_EQ(ScrollBarPosition(2, 3, 10), 0);  // everything shows: nothing to scroll
}

}  // namespace
