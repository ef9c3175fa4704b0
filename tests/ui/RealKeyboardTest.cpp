// Keys typed on the display's keyboard and the mouse moved and clicked on the display (through
// the X test extension), as the user does it: the toolkit must deliver them where the player
// expects them, at every zoom.
#include <wx/display.h>
#include <wx/uiaction.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyButton.h"
#include "ui/OptionArea.h"

namespace {

class RealKeyboardTest : public PlayerFixture {
 protected:
  // Brings the pointer over the player, so that the keyboard goes to it.
  void PointAtPlayer() {
    Frame().Raise();
    Pump(10);
    m_input.MouseMove(Frame().GetScreenPosition() + wxPoint(120, 100));
    Pump(10);
  }

  void Type(int key, int modifiers = wxMOD_NONE) {
    m_input.Char(key, modifiers);
    Pump(10);
  }

  // Options 1 and 2 of the scene Fork lead to the scenes One and Two, which lead back.
  void WritePathsStory() {
    WriteStory(StoryDir("Paths"),
               "[Title]\n@NAME Paths\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Fork\n"
               "[Fork]\n@IMAGE x.bmp\n@OPTION1 Left\n@LINK1 One\n@OPTION2 Right\n@LINK2 Two\n"
               "[One]\n@IMAGE x.bmp\n@OPTION1 Back\n@LINK1 Fork\n[Two]\n@IMAGE x.bmp\n@OPTION1 Back\n@LINK1 Fork\n");
    WriteSolidBmp(StoryDir("Paths") + "/x.bmp", 8, 8, 0x204060);
    Store().WriteString(kSettingsSection, "SaveTitle", "Paths");
    Store().WriteString(kSettingsSection, "SaveScene", "Fork");
  }

  std::string Highlighted() {
    std::string rows;
    for (int i = 0; i < 4; ++i) rows += View().GetOptionArea(i)->IsHover() ? '1' : '0';
    return rows;
  }

  void MoveTo(const wxPoint& viewPoint) {
    m_input.MouseMove(View().ClientToScreen(viewPoint));
    Pump(10);
  }

  wxUIActionSimulator m_input;
};

wxPoint Middle(const wxRect& rect) { return rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2); }

TEST_F(RealKeyboardTest, TabAndDigitsAndCtrlN) {
  WritePathsStory();
  StartPlayer();
  PointAtPlayer();
  ASSERT_EQ(wxWindow::FindFocus(), View().GetNewGameButton());
  Type(WXK_TAB);
  EXPECT_EQ(wxWindow::FindFocus(), View().GetLoadGameButton());
  Type(WXK_TAB);
  EXPECT_EQ(wxWindow::FindFocus(), View().GetNewGameButton());

  StartStory("Paths");
  Type('2');
  EXPECT_EQ(Doc().GetSceneName(), "Two");

  Type('N', wxMOD_CONTROL);
  EXPECT_FALSE(Doc().IsStoryLoaded()) << "Ctrl+N starts afresh";
  EXPECT_EQ(Ui().SelectStoryCalls, 1) << "and does not open the story selection";
}

TEST_F(RealKeyboardTest, F5ReloadsTheStoryAndKeepsTheScene) {
  const std::string story = "[Title]\n@NAME Paths\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Fork\n"
                            "[Fork]\n@IMAGE x.bmp\n@OPTION1 Left\n@LINK1 One\n"
                            "[One]\n@IMAGE x.bmp\n@DESCRIPTION Dark.\n@OPTION1 Back\n@LINK1 Fork\n";
  WriteStory(StoryDir("Paths"), story);
  WriteSolidBmp(StoryDir("Paths") + "/x.bmp", 8, 8, 0x204060);
  StartPlayer();
  PointAtPlayer();
  StartStory("Paths");
  Type('1');
  ASSERT_EQ(Doc().GetSceneText(), "Dark.");

  std::string changed = story;
  changed.replace(changed.find("Dark."), 5, "A lamp is lit.");
  WriteStory(StoryDir("Paths"), changed);
  Type(WXK_F5);
  EXPECT_EQ(Doc().GetSceneName(), "One");
  EXPECT_FALSE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().GetSceneText(), "A lamp is lit.");
}

TEST_F(RealKeyboardTest, EnterAfterCtrlNFromASceneChoosesNewGame) {
  WritePathsStory();
  StartPlayer();
  StartStory("Paths");
  PointAtPlayer();
  Type('N', wxMOD_CONTROL);
  ASSERT_FALSE(Doc().IsStoryLoaded());
  EXPECT_EQ(wxWindow::FindFocus(), View().GetNewGameButton());
  Type(WXK_RETURN);
  EXPECT_EQ(Ui().SelectStoryCalls, 2) << "Enter on the start page chooses New Game";
}

TEST_F(RealKeyboardTest, AtThreeTimesKeysClicksAndHoverChooseAsAtOneTime) {
  WritePathsStory();
  StartPlayer();
  // Where the second option's text and the first option's button lie at 1×.
  const wxPoint text1x = Middle(View().GetOptionArea(1)->GetRect());
  const wxPoint button1x = Middle(View().GetOptionButton(0)->GetRect());
  PointAtPlayer();
  Type('=', wxMOD_CONTROL);
  Type('+', wxMOD_CONTROL);
  ASSERT_EQ(View().GetZoom(), 3) << "Ctrl+= and Ctrl++ zoom in";
  // The bottom rows of the tall view must lie on the screen to be pointed at.
  const int overflow = View().GetScreenRect().GetBottom() - (wxDisplay(0u).GetGeometry().GetBottom() - 10);
  if (overflow > 0) Frame().Move(Frame().GetPosition() - wxPoint(0, overflow));
  PointAtPlayer();

  ASSERT_EQ(wxWindow::FindFocus(), View().GetNewGameButton());
  Type(WXK_TAB);
  EXPECT_EQ(wxWindow::FindFocus(), View().GetLoadGameButton());
  Type(WXK_TAB);
  Ui().StoryToChoose = "Paths";
  Type(WXK_RETURN);
  ASSERT_TRUE(Doc().IsTitlePage()) << "Enter on New Game";
  Type(WXK_RETURN);
  ASSERT_EQ(Doc().GetSceneName(), "Fork") << "Enter on Begin Play";

  MoveTo(text1x * 3);
  EXPECT_EQ(Highlighted(), "0100");
  m_input.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return Doc().GetSceneName() == "Two"; }));
  Type('1');
  EXPECT_EQ(Doc().GetSceneName(), "Fork");
  MoveTo(button1x * 3);
  m_input.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return Doc().GetSceneName() == "One"; }));
}

}  // namespace
