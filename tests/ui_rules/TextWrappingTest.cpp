#include <gtest/gtest.h>

#include "ui/TextWrapping.h"

namespace {

// Every character 10 pixels wide (UTF-8 sequences count once).
int Measure(const std::string& piece) {
  int characters = 0;
  for (unsigned char c : piece)
    if ((c & 0xC0) != 0x80) ++characters;
  return characters * 10;
}

std::vector<std::string> Wrap(const std::string& text, int width, int tabWidth = 30) {
  return WrapText(text, width, tabWidth, Measure);
}

using Lines = std::vector<std::string>;

TEST(TextWrapping, BreaksBetweenWordsAndDropsSpacesAtTheBreak) {
  EXPECT_EQ(Wrap("the quick brown fox", 100), (Lines{"the quick", "brown fox"}));
  EXPECT_EQ(Wrap("the   quick", 60), (Lines{"the", "quick"}));
  EXPECT_EQ(Wrap("fits exactly", 120), (Lines{"fits exactly"}));
  EXPECT_EQ(Wrap("  indented start", 100), (Lines{"  indented", "start"}));
}

TEST(TextWrapping, LineFeedsEndLinesAndEmptyLinesCount) {
  EXPECT_EQ(Wrap("one\r\ntwo\n\nthree\n", 200), (Lines{"one", "two", "", "three"}));
  EXPECT_TRUE(Wrap("", 200).empty());
  EXPECT_EQ(Wrap("\n", 200), (Lines{""}));
}

TEST(TextWrapping, LongWordsBreakBetweenCharacters) {
  EXPECT_EQ(Wrap("abcdefghij", 40), (Lines{"abcd", "efgh", "ij"}));
  EXPECT_EQ(Wrap("go abcdefgh", 40), (Lines{"go", "abcd", "efgh"}));
  // UTF-8 characters are not cut inside.
  EXPECT_EQ(Wrap("\xC3\xA9\xC3\xA9\xC3\xA9", 20), (Lines{"\xC3\xA9\xC3\xA9", "\xC3\xA9"}));
  // Even a window narrower than one character shows every character.
  EXPECT_EQ(Wrap("ab", 5), (Lines{"a", "b"}));
}

TEST(TextWrapping, TabsAdvanceToTabStops) {
  const auto pieces = SplitAtTabs("a\tbcd\te", 30, Measure);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0].x, 0);
  EXPECT_EQ(pieces[1].x, 30);
  EXPECT_EQ(pieces[1].text, "bcd");
  EXPECT_EQ(pieces[2].x, 90);  // "bcd" ends at 60, which is a stop: the tab goes on to 90
  EXPECT_EQ(LineWidth("a\tbcd\te", 30, Measure), 100);
  EXPECT_EQ(LineWidth("\t\t", 30, Measure), 60);
  EXPECT_EQ(Wrap("ab\tcd ef", 60), (Lines{"ab\tcd", "ef"}));
}

}  // namespace
