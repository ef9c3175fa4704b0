// Word-wrapped text: where lines break, how tabs expand, and where centred lines go.
#include <wx/dcmemory.h>

#include <gtest/gtest.h>

#include "ui/TextLayout.h"

namespace {

class TextLayoutTest : public ::testing::Test {
 protected:
  TextLayoutTest() : m_bitmap(400, 200, 24), m_dc(m_bitmap) { m_dc.SetFont(wxFont(wxFontInfo(9).FaceName("Arial"))); }

  int Width(const wxString& text) { return m_dc.GetTextExtent(text).x; }

  wxBitmap m_bitmap;
  wxMemoryDC m_dc;
};

TEST_F(TextLayoutTest, LinesBreakBeforeTheWordThatWouldNotFit) {
  const int width = std::max(Width("one two"), Width("three four"));
  ASSERT_LT(width, Width("one two three"));
  const auto lines = WrapText(m_dc, "one two three four", width);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "one two");
  EXPECT_EQ(lines[1], "three four");
  EXPECT_EQ(WrapText(m_dc, "one two three four", 1000).size(), 1u);
}

TEST_F(TextLayoutTest, AWordWiderThanTheLineStandsAlone) {
  const auto lines = WrapText(m_dc, "a extraordinarily b", Width("a b"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "extraordinarily");
  EXPECT_EQ(lines[2], "b");
}

TEST_F(TextLayoutTest, LineFeedsAlwaysBreak) {
  const auto lines = WrapText(m_dc, "first\nsecond\r\nthird\rfourth\n\nsixth", 1000);
  const std::vector<wxString> expected = {"first", "second", "third", "fourth", "", "sixth"};
  EXPECT_EQ(lines, expected);
}

TEST_F(TextLayoutTest, SpacesAtABreakAreDropped) {
  const auto lines = WrapText(m_dc, "one   two", Width("one  "));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "one");
  EXPECT_EQ(lines[1], "two");
}

TEST_F(TextLayoutTest, TabsAdvanceToTheNextStop) {
  const int stop = 40;
  EXPECT_EQ(LineWidth(m_dc, "\tx", stop), stop + Width("x"));
  EXPECT_EQ(LineWidth(m_dc, "x\ty", stop), stop + Width("y"));
  EXPECT_EQ(LineWidth(m_dc, "\t\tz", stop), 2 * stop + Width("z"));
  // Text that reaches a stop goes on to the next one.
  const wxString wide = "mmmmmmmm";
  ASSERT_GT(Width(wide), stop);
  EXPECT_EQ(LineWidth(m_dc, wide + "\tz", stop), (Width(wide) / stop + 1) * stop + Width("z"));
  // Without expansion a tab is measured as the font draws it.
  EXPECT_EQ(LineWidth(m_dc, "\tx"), Width("\tx"));
}

TEST_F(TextLayoutTest, HeightCountsTheLines) {
  const int lineHeight = m_dc.GetTextExtent("Ag").y;
  EXPECT_EQ(MeasureWrappedText(m_dc, "one", 1000), lineHeight);
  EXPECT_EQ(MeasureWrappedText(m_dc, "one two", Width("one")), 2 * lineHeight);
  EXPECT_GE(LineHeightOf(m_dc), lineHeight);
}

TEST_F(TextLayoutTest, CentredLinesSitInTheMiddleAndNothingLeavesTheArea) {
  m_dc.SetBackground(*wxWHITE_BRUSH);
  m_dc.Clear();
  m_dc.SetTextForeground(*wxBLACK);
  const wxRect area(100, 20, 200, 60);
  const int height = DrawWrappedText(m_dc, "IIIIIIIIII", area, TextAlign::Centre);
  EXPECT_EQ(height, m_dc.GetTextExtent("Ag").y);
  m_dc.SelectObject(wxNullBitmap);
  const wxImage image = m_bitmap.ConvertToImage();
  int left = 400, right = -1;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 400; ++x)
      if (image.GetRed(x, y) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
        EXPECT_TRUE(area.Contains(x, y)) << x << "," << y;
      }
  ASSERT_GE(right, left);
  EXPECT_NEAR((left + right) / 2.0, area.x + area.width / 2.0, 3.0);
}

TEST_F(TextLayoutTest, TextBeyondTheAreaIsCut) {
  m_dc.SetBackground(*wxWHITE_BRUSH);
  m_dc.Clear();
  m_dc.SetTextForeground(*wxBLACK);
  const wxRect area(10, 10, 60, 20);
  DrawWrappedText(m_dc, "one two three four five six seven", area, TextAlign::Left);
  m_dc.SelectObject(wxNullBitmap);
  const wxImage image = m_bitmap.ConvertToImage();
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 400; ++x) {
      if (image.GetRed(x, y) < 128) {
        EXPECT_TRUE(area.Contains(x, y)) << x << "," << y;
      }
    }
  }
}

}  // namespace
