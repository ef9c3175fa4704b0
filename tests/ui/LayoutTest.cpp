// The first layout: the frame sized to the picture frame and fifteen lines of text, the option
// rows at the bottom, the text buttons, and the text-fit shortening.
#include <wx/dcclient.h>
#include <wx/statusbr.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/GameMenu.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyButton.h"
#include "ui/OptionArea.h"

namespace {

// The height of a text line in a font, measured on the view.
int MeasuredLine(wxWindow& window, const wxFont& font) {
  wxClientDC dc(&window);
  dc.SetFont(font);
  wxCoord width, height, descent, leading;
  dc.GetTextExtent("Ag", &width, &height, &descent, &leading);
  return height + leading;
}

struct Expected {
  int rowHeight, clientHeight;
};

// What the layout must come to with the default pieces (248 × 24, 24 × 112).
Expected ExpectedLayout(CVeskoGameView& view) {
  const int textLine = MeasuredLine(view, wxFont(wxFontInfo(9).FaceName("Arial")));
  const int areaHeight = 2 * MeasuredLine(view, wxFont(wxFontInfo(9).FaceName("Arial").Bold()));
  const int rowHeight = std::max(25, areaHeight) + 2;
  int height = 160 + 15 * textLine;
  height -= (height - 4 * rowHeight - 160) % view.GetLineHeight();
  return {rowHeight, height};
}

class LayoutTest : public PlayerFixture {};

TEST_F(LayoutTest, ClientAreaHoldsTheFrameAndFifteenLinesOfText) {
  StartPlayer();
  ASSERT_TRUE(View().IsLaidOut());
  const Expected expected = ExpectedLayout(View());
  EXPECT_EQ(View().GetClientSize(), wxSize(248, expected.clientHeight));
  EXPECT_EQ(Frame().GetClientSize(), View().GetClientSize());
  // The text above the option rows ends on a whole line.
  EXPECT_EQ((expected.clientHeight - 4 * expected.rowHeight - 160) % View().GetLineHeight(), 0);
  // The status bar lies below the view, inside the frame.
  ASSERT_NE(Frame().GetStatusBar(), nullptr);
  EXPECT_EQ(Frame().GetStatusBar()->GetFieldsCount(), 1);
  EXPECT_GE(Frame().GetStatusBar()->GetScreenPosition().y,
            View().GetScreenPosition().y + View().GetClientSize().y);
}

TEST_F(LayoutTest, PictureSitsInsideTheFrameAndTextBelowIt) {
  StartPlayer();
  EXPECT_EQ(View().GetPicturePoint(), wxPoint(24, 24));
  EXPECT_EQ(View().GetTextPoint(), wxPoint(0, 160));
}

TEST_F(LayoutTest, FourOptionRowsFillTheBottomOfTheTextArea) {
  StartPlayer();
  const Expected expected = ExpectedLayout(View());
  const int top = expected.clientHeight - 4 * expected.rowHeight;
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    CMyBitmapButton* button = View().GetOptionButton(i);
    COptionArea* area = View().GetOptionArea(i);
    ASSERT_TRUE(button && area);
    EXPECT_EQ(button->GetId(), 1000 + i);
    EXPECT_EQ(area->GetId(), 1004 + i);
    EXPECT_EQ(button->GetLabel(), wxString::Format("btn%d", i + 1));
    EXPECT_EQ(button->GetSize(), wxSize(25, 25));
    EXPECT_EQ(area->GetPosition().x, 27);
    EXPECT_EQ(area->GetSize().x, 248 - 2 - 27);
    EXPECT_EQ(button->GetPosition().x, 2);
    // The shorter of button and text sits halfway down the taller one's row.
    const int rowTop = top + i * expected.rowHeight;
    const int taller = std::max(button->GetSize().y, area->GetSize().y);
    EXPECT_EQ(button->GetPosition().y, rowTop + (taller - button->GetSize().y) / 2);
    EXPECT_EQ(area->GetPosition().y, rowTop + (taller - area->GetSize().y) / 2);
    EXPECT_FALSE(button->IsShown());
    EXPECT_FALSE(area->IsShown());
  }
  EXPECT_EQ(expected.rowHeight, std::max(25, View().GetOptionArea(0)->GetAreaHeight()) + 2);
}

TEST_F(LayoutTest, TextButtonsShareTheMiddleHalfAtTheBottom) {
  StartPlayer();
  const int height = View().GetClientSize().y;
  const int buttonHeight = 7 * View().GetLineHeight() / 4;
  CMyButton* begin = View().GetBeginButton();
  CMyButton* newGame = View().GetNewGameButton();
  CMyButton* loadGame = View().GetLoadGameButton();
  ASSERT_TRUE(begin && newGame && loadGame);
  EXPECT_EQ(begin->GetRect(), wxRect(62, height - buttonHeight - 2, 124, buttonHeight));
  EXPECT_EQ(newGame->GetRect(), wxRect(62, height - 2 * (buttonHeight + 2), 124, buttonHeight));
  EXPECT_EQ(loadGame->GetRect(), begin->GetRect());
  EXPECT_EQ(begin->GetId(), 1008);
  EXPECT_EQ(CommandForMenuItem(newGame->GetId()), 32771);
  EXPECT_EQ(CommandForMenuItem(loadGame->GetId()), 57601);
  EXPECT_EQ(newGame->GetLabel(), "New Game");
  EXPECT_EQ(loadGame->GetLabel(), "Load Game");
  EXPECT_FALSE(begin->IsShown());
  EXPECT_TRUE(newGame->IsShown());
  EXPECT_FALSE(loadGame->IsShown()) << "no saved position yet";
  EXPECT_EQ(wxWindow::FindFocus(), newGame);
}

TEST_F(LayoutTest, LoadGameShowsWhenAPositionIsSaved) {
  Store().WriteString(kSettingsSection, "SaveTitle", "Somewhere");
  Store().WriteString(kSettingsSection, "SaveScene", "Inside");
  StartPlayer();
  EXPECT_TRUE(View().GetLoadGameButton()->IsShown());
}

TEST_F(LayoutTest, FrameCannotBeResizedOrMaximizedAndShowsTheNameAlone) {
  StartPlayer();
  EXPECT_EQ(Frame().GetTitle(), "Fablewick");
  EXPECT_FALSE(Frame().HasFlag(wxRESIZE_BORDER));
  EXPECT_FALSE(Frame().HasFlag(wxMAXIMIZE_BOX));
}

}  // namespace
