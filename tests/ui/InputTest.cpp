// Choosing options with the digit keys, the option buttons and clicks on option texts; the
// keyboard on the text buttons.
#include "tests/ui/PlayerFixture.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyButton.h"
#include "ui/OptionArea.h"

namespace {

class InputTest : public PlayerFixture {
 protected:
  // A story whose options each lead to a scene named after their number.
  void StartNumberedStory() {
    WriteStory(StoryDir("Paths"),
               "[Title]\n@NAME Paths\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Fork\n"
               "[Fork]\n@IMAGE x.bmp\n@DESCRIPTION Two ways.\n@OPTION1 Left\n@LINK1 One\n@OPTION2 Right\n@LINK2 Two\n"
               "[One]\n@IMAGE x.bmp\n@OPTION1 Back\n@LINK1 Fork\n"
               "[Two]\n@IMAGE x.bmp\n@OPTION1 Back\n@LINK1 Fork\n");
    WriteSolidBmp(StoryDir("Paths") + "/x.bmp", 8, 8, 0x204060);
    StartPlayer();
    StartStory("Paths");
    ASSERT_EQ(Doc().GetSceneName(), "Fork");
  }

  void PressKey(wxWindow& window, int keyCode) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = keyCode;
    key.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(key);
  }

  void PressTab(wxWindow& window, bool shift) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_TAB;
    key.m_shiftDown = shift;
    key.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(key);
  }

  void Mouse(wxWindow& window, wxEventType type, const wxPoint& point) {
    wxMouseEvent event(type);
    event.SetPosition(point);
    event.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(event);
  }

  void Click(wxWindow& window, const wxPoint& point) {
    Mouse(window, wxEVT_LEFT_DOWN, point);
    Mouse(window, wxEVT_LEFT_UP, point);
  }
};

TEST_F(InputTest, DigitKeysChooseTheOptionsThatShow) {
  StartNumberedStory();
  PressKey(View(), '3');
  PressKey(View(), '4');
  EXPECT_EQ(Doc().GetSceneName(), "Fork") << "the scene has no third or fourth option";
  PressKey(View(), WXK_NUMPAD2);
  EXPECT_EQ(Doc().GetSceneName(), "Fork") << "keypad digits are not options";
  PressKey(View(), '2');
  EXPECT_EQ(Doc().GetSceneName(), "Two");
  PressKey(View(), '1');
  EXPECT_EQ(Doc().GetSceneName(), "Fork");
}

TEST_F(InputTest, ClickingAnOptionButtonChoosesIt) {
  StartNumberedStory();
  CMyBitmapButton& button = *View().GetOptionButton(1);
  Mouse(button, wxEVT_LEFT_DOWN, wxPoint(12, 12));
  EXPECT_TRUE(button.IsPressed());
  EXPECT_EQ(Doc().GetSceneName(), "Fork") << "a button acts when it is released";
  Mouse(button, wxEVT_LEFT_UP, wxPoint(12, 12));
  EXPECT_FALSE(button.IsPressed());
  EXPECT_EQ(Doc().GetSceneName(), "Two");
}

TEST_F(InputTest, ReleasingOutsideTheButtonDoesNotChoose) {
  StartNumberedStory();
  CMyBitmapButton& button = *View().GetOptionButton(0);
  Mouse(button, wxEVT_LEFT_DOWN, wxPoint(12, 12));
  Mouse(button, wxEVT_MOTION, wxPoint(40, 12));
  EXPECT_FALSE(button.IsPressed());
  Mouse(button, wxEVT_LEFT_UP, wxPoint(40, 12));
  EXPECT_EQ(Doc().GetSceneName(), "Fork");
}

TEST_F(InputTest, ClickingAnOptionTextChoosesItButNotBetweenRows) {
  StartNumberedStory();
  COptionArea& second = *View().GetOptionArea(1);
  // On the text itself: the text lets the click through to the view.
  Click(second, wxPoint(second.GetSize().x - 3, second.GetSize().y - 2));
  EXPECT_EQ(Doc().GetSceneName(), "Two");
  ASSERT_TRUE(Doc().FollowOption(0));
  ASSERT_EQ(Doc().GetSceneName(), "Fork");

  // Between the first and the second row: no option.
  const wxRect first = View().GetOptionArea(0)->GetRect();
  const wxPoint gap(first.x + 10, first.GetBottom() + 1);
  ASSERT_LT(gap.y, second.GetRect().y);
  Click(View(), gap);
  EXPECT_EQ(Doc().GetSceneName(), "Fork");
  // Inside the first row's text rectangle, in the view's coordinates.
  Click(View(), wxPoint(first.GetRight(), first.y));
  EXPECT_EQ(Doc().GetSceneName(), "One");
}

TEST_F(InputTest, HiddenOptionTextsTakeNoClicks) {
  StartNumberedStory();
  const wxRect fourth = View().GetOptionArea(3)->GetRect();
  Click(View(), fourth.GetPosition() + wxPoint(5, 5));
  EXPECT_EQ(Doc().GetSceneName(), "Fork");
}

TEST_F(InputTest, TabMovesBetweenTheVisibleTextButtons) {
  Store().WriteString(kSettingsSection, "SaveTitle", "Paths");
  Store().WriteString(kSettingsSection, "SaveScene", "Fork");
  StartPlayer();
  CMyButton& newGame = *View().GetNewGameButton();
  CMyButton& loadGame = *View().GetLoadGameButton();
  ASSERT_TRUE(loadGame.IsShown());
  ASSERT_EQ(wxWindow::FindFocus(), &newGame);
  PressTab(newGame, false);
  EXPECT_EQ(wxWindow::FindFocus(), &loadGame);
  PressTab(loadGame, false);
  EXPECT_EQ(wxWindow::FindFocus(), &newGame) << "round the end";
  PressTab(newGame, true);
  EXPECT_EQ(wxWindow::FindFocus(), &loadGame);
  PressTab(loadGame, true);
  EXPECT_EQ(wxWindow::FindFocus(), &newGame);
}

TEST_F(InputTest, TabStaysOnNewGameWhenItIsTheOnlyButton) {
  StartPlayer();
  CMyButton& newGame = *View().GetNewGameButton();
  ASSERT_FALSE(View().GetLoadGameButton()->IsShown());
  ASSERT_EQ(wxWindow::FindFocus(), &newGame);
  PressTab(newGame, false);
  EXPECT_EQ(wxWindow::FindFocus(), &newGame);
  PressTab(newGame, true);
  EXPECT_EQ(wxWindow::FindFocus(), &newGame);
}

TEST_F(InputTest, EnterOnBeginPlayBeginsPlay) {
  StartNumberedStory();
  ChooseMenuCommand(res::ID_FILE_NEW);
  StartStory("Paths", false);
  CMyButton& begin = *View().GetBeginButton();
  ASSERT_TRUE(begin.IsShown());
  PressKey(begin, WXK_RETURN);
  EXPECT_FALSE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().GetSceneName(), "Fork");
  EXPECT_FALSE(begin.IsShown());
}

TEST_F(InputTest, EnterOnNewGameOpensTheStorySelection) {
  WriteStory(StoryDir("Paths"), "[Title]\n@NAME Paths\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Fork\n[Fork]\n@IMAGE x.bmp\n");
  WriteSolidBmp(StoryDir("Paths") + "/x.bmp", 8, 8, 0x204060);
  StartPlayer();
  Ui().StoryToChoose = "Paths";
  PressKey(*View().GetNewGameButton(), WXK_RETURN);
  EXPECT_EQ(Ui().SelectStoryCalls, 1);
  EXPECT_TRUE(Doc().IsTitlePage());
}

}  // namespace
