// The commands that open the about boxes and the unused-resources dialog.
#include "tests/ui/PlayerFixture.h"
#include "ui/AboutDlg.h"

namespace {

class DialogCommands : public PlayerFixture {};

TEST_F(DialogCommands, AboutShowsTheAboutBoxAndItsMakersButtonTheMakersBox) {
  StartPlayer();
  m_dialogs.Answers = {CAboutDlg::IDC_ABOUT_MAKERS, wxID_OK};
  ChooseMenuCommand(res::ID_APP_ABOUT);
  ASSERT_EQ(m_dialogs.Dialogs.size(), 2u);
  EXPECT_EQ(m_dialogs.Dialogs[0].Caption, "About Fablewick" + ProgramVersionSuffix());
  EXPECT_EQ(m_dialogs.Dialogs[1].Caption, "About Tallowmere");

  m_dialogs.Dialogs.clear();
  m_dialogs.Answers = {wxID_OK};
  ChooseMenuCommand(res::ID_APP_ABOUT);
  EXPECT_EQ(m_dialogs.Dialogs.size(), 1u);
}

TEST_F(DialogCommands, ListUnusedResourcesShowsTheStorysInventory) {
  WriteStory(StoryDir("Moon"), TwoSceneStory("Moon"));
  WriteSolidBmp(StoryDir("Moon") + "/pics/shore.bmp", 8, 4, 0x3366AA);
  WriteSolidBmp(StoryDir("Moon") + "/pics/tower.bmp", 8, 4, 0xAA6633);
  WriteSolidBmp(StoryDir("Moon") + "/pics/unused.bmp", 8, 4, 0);
  StartPlayer();
  StartStory("Moon");
  m_dialogs.Dialogs.clear();
  ChooseMenuCommand(res::ID_GAME_LIST_UNUSED);
  ASSERT_EQ(m_dialogs.Dialogs.size(), 1u);
  EXPECT_EQ(m_dialogs.Dialogs[0].Caption, "Unused Resources");
}

}  // namespace
