// Keys typed on the display's keyboard (through the X test extension), as the user types them:
// the toolkit must deliver them where the player expects them.
#include <wx/uiaction.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/MyButton.h"

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

  // Paths: the scene Fork with two options, Left to One and Right to Two.
  void WritePathsStory() {
    WriteStory(StoryDir("Paths"),
               "[Title]\n@NAME Paths\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE Fork\n"
               "[Fork]\n@IMAGE x.bmp\n@OPTION1 Left\n@LINK1 One\n@OPTION2 Right\n@LINK2 Two\n"
               "[One]\n@IMAGE x.bmp\n[Two]\n@IMAGE x.bmp\n");
    WriteSolidBmp(StoryDir("Paths") + "/x.bmp", 8, 8, 0x204060);
  }

  wxUIActionSimulator m_input;
};

TEST_F(RealKeyboardTest, TabAndDigitsAndCtrlN) {
  WritePathsStory();
  Store().WriteString(kSettingsSection, "SaveTitle", "Paths");
  Store().WriteString(kSettingsSection, "SaveScene", "Fork");
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

}  // namespace
