// The view follows the game document: start page, title page, scene page, and back.
#include <wx/statusbr.h>

#include "tests/ui/PlayerFixture.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyButton.h"
#include "ui/OptionArea.h"

namespace {

class PagesTest : public PlayerFixture {
 protected:
  void WriteTwoSceneStory(const std::string& name = "Tides") {
    WriteStory(StoryDir(name), TwoSceneStory(name));
    WriteSolidBmp(StoryDir(name) + "/pics/shore.bmp", 20, 10, 0x3366AA);
    WriteSolidBmp(StoryDir(name) + "/pics/tower.bmp", 20, 10, 0xAA6633);
  }

  // Which option rows show: a string of 0 and 1 for rows 1 to 4.
  std::string ShownRows() {
    std::string rows;
    for (int i = 0; i < 4; ++i) {
      const bool button = View().GetOptionButton(i)->IsShown();
      const bool area = View().GetOptionArea(i)->IsShown();
      EXPECT_EQ(button, area) << "row " << i + 1;
      rows += button ? '1' : '0';
    }
    return rows;
  }
};

TEST_F(PagesTest, NewGameShowsTheTitlePageWithBeginPlay) {
  WriteTwoSceneStory();
  StartPlayer();
  StartStory("Tides", false);
  EXPECT_TRUE(View().GetBeginButton()->IsShown());
  EXPECT_EQ(View().GetBeginButton()->GetLabel(), "Begin Play");
  EXPECT_FALSE(View().GetNewGameButton()->IsShown());
  EXPECT_FALSE(View().GetLoadGameButton()->IsShown());
  EXPECT_EQ(ShownRows(), "0000");
  EXPECT_EQ(wxWindow::FindFocus(), View().GetBeginButton());
  EXPECT_EQ(View().GetBeginButton()->GetRect().GetBottom() + 1, View().GetClientSize().y - 2);
}

TEST_F(PagesTest, BeginPlayShowsTheSceneWithItsTwoOptions) {
  WriteTwoSceneStory();
  StartPlayer();
  StartStory("Tides");
  EXPECT_FALSE(View().GetBeginButton()->IsShown());
  EXPECT_EQ(ShownRows(), "1100");
  EXPECT_EQ(View().GetOptionArea(0)->GetLabel(), "Climb the tower");
  EXPECT_EQ(View().GetOptionArea(1)->GetLabel(), "Wait for the tide");
  // Keys reach the view once the focused button has gone.
  EXPECT_EQ(wxWindow::FindFocus(), &View());
}

TEST_F(PagesTest, FollowingAnOptionChangesTheRowsAndTexts) {
  WriteTwoSceneStory();
  StartPlayer();
  StartStory("Tides");
  ASSERT_TRUE(Doc().FollowOption(0));
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  EXPECT_EQ(ShownRows(), "1000");
  EXPECT_EQ(View().GetOptionArea(0)->GetLabel(), "Back down");
}

TEST_F(PagesTest, RestoredPositionShowsContinuePlay) {
  WriteTwoSceneStory();
  Store().WriteString(kSettingsSection, "SaveTitle", "Tides");
  Store().WriteString(kSettingsSection, "SaveScene", "Tower");
  StartPlayer();
  m_dialogs.Answers = {wxID_YES};
  ChooseMenuCommand(res::ID_FILE_OPEN);
  ASSERT_TRUE(Doc().IsTitlePage());
  EXPECT_FALSE(Doc().IsTitleNewGame());
  EXPECT_EQ(View().GetBeginButton()->GetLabel(), "Continue Play");
  EXPECT_TRUE(View().GetBeginButton()->IsShown());
  // Continue Play goes on in the saved scene.
  wxCommandEvent begin(wxEVT_BUTTON, res::ID_BEGIN_PLAY);
  View().GetBeginButton()->GetEventHandler()->ProcessEvent(begin);
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  EXPECT_EQ(ShownRows(), "1000");
}

TEST_F(PagesTest, StartingAfreshShowsTheStartPageAndItsButtonsAgain) {
  WriteTwoSceneStory();
  Store().WriteString(kSettingsSection, "SaveTitle", "Tides");
  Store().WriteString(kSettingsSection, "SaveScene", "Tower");
  StartPlayer();
  StartStory("Tides", false);
  ChooseMenuCommand(res::ID_FILE_NEW);
  EXPECT_FALSE(Doc().IsStoryLoaded());
  EXPECT_EQ(Doc().CurrentScene(), nullptr);
  EXPECT_FALSE(View().GetBeginButton()->IsShown()) << "Begin Play has nothing to begin on the start page";
  EXPECT_TRUE(View().GetNewGameButton()->IsShown());
  EXPECT_TRUE(View().GetLoadGameButton()->IsShown());
  EXPECT_EQ(ShownRows(), "0000");
  // The start page's New Game button starts a game again.
  wxCommandEvent press(wxEVT_BUTTON, View().GetNewGameButton()->GetId());
  press.SetEventObject(View().GetNewGameButton());
  View().GetNewGameButton()->GetEventHandler()->ProcessEvent(press);
  EXPECT_TRUE(Doc().IsTitlePage());
}

TEST_F(PagesTest, SceneNameShowsInTheStatusBarOnlyWithShowSceneNames) {
  WriteTwoSceneStory();
  StartPlayer();
  StartStory("Tides");
  Frame().SetStatusText("untouched", 0);
  ASSERT_TRUE(Doc().FollowOption(0));
  EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "untouched");

  Doc().SetShowSceneNames(true);
  EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "Tower");
  wxCommandEvent option(wxEVT_BUTTON, res::ID_OPTION_BUTTON1);
  View().GetOptionButton(0)->GetEventHandler()->ProcessEvent(option);
  EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "Shore");
}

TEST_F(PagesTest, StoryTextsInWindows1252AreShownReadably) {
  const std::string name = "Caf\xE9";
  WriteStory(StoryDir("Cafe"), "[Title]\n@NAME " + name +
                                   "\n@AUTHOR A\n@ARTIST B\n[Setup]\n@IMAGEDIR pics\\\n@FIRSTSCENE Door\n"
                                   "[Door]\n@IMAGE door.bmp\n@DESCRIPTION In.\n@OPTION1 Cr\xE8me br\xFBl\xE9\x65\n@LINK1 Door\n");
  WriteSolidBmp(StoryDir("Cafe") + "/pics/door.bmp", 4, 4, 0x808080);
  StartPlayer();
  StartStory(name);
  EXPECT_EQ(View().GetOptionArea(0)->GetLabel(), wxString::FromUTF8("Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65"));
}

}  // namespace
