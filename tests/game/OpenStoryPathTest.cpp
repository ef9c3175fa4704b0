// A story named by its folder or its gamefile.txt, as the command line names it.
#include <unistd.h>

#include "res/StringIds.h"
#include "tests/game/GameFixture.h"

using OpenStoryPath = GameFixture;

TEST_F(OpenStoryPath, FolderOrFileOpensOnTheTitlePageAfterValidation) {
  testing_support::TempDir elsewhere;  // need not be in the stories folder
  WriteSimpleStory(elsewhere / "Harbour", "Harbour");
  ASSERT_TRUE(Doc().OpenStoryPath(elsewhere / "Harbour"));
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_TRUE(Doc().IsTitleNewGame());
  EXPECT_EQ(Doc().GetTitleRecord().Name.Text, "Harbour");
  EXPECT_EQ(Doc().GetSceneName(), "Shore");
  EXPECT_EQ(m_ui.ValidatingCalls, 1);
  EXPECT_EQ(m_ui.BusyDepth, 0);
  EXPECT_GT(m_ui.Updates, 0);

  WriteSimpleStory(elsewhere / "Lighthouse", "Lighthouse");
  ASSERT_TRUE(Doc().OpenStoryPath(elsewhere / "Lighthouse/gamefile.txt"));
  EXPECT_EQ(Doc().GetTitleRecord().Name.Text, "Lighthouse");
  Doc().BeginPlay();
  EXPECT_EQ(Doc().GetSceneName(), "Shore");
  ASSERT_NE(Doc().GetCurrentPicture(), nullptr);
  EXPECT_EQ(Doc().GetCurrentPicture()->GetWidth(), 8);  // the story's own picture, found in pics/
  EXPECT_EQ(m_ui.SelectStoryCalls, 0);
}

TEST_F(OpenStoryPath, RelativePathAndOtherLetterCaseStillFindTheStory) {
  WriteSimpleStory(StoryDir("harbour"), "Harbour");
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(StoriesDir().c_str()), 0);
  bool opened = Doc().OpenStoryPath("HARBOUR");
  std::string folder = Doc().Story().Folder();
  ASSERT_EQ(chdir(previous), 0);
  ASSERT_TRUE(opened);
  // The folder is kept absolute, so that a later change of directory does not lose the media.
  EXPECT_EQ(folder.substr(0, 1), "/");
  Doc().BeginPlay();
  Doc().FollowOption(0);
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  ASSERT_NE(Doc().GetCurrentPicture(), nullptr);
  EXPECT_EQ(Doc().GetCurrentPicture()->GetWidth(), 6);
}

TEST_F(OpenStoryPath, NoStoryThereSaysSoAndTheGameGoesOn) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  StartGame("Harbour");
  Doc().FollowOption(0);
  testing_support::TempDir empty;
  EXPECT_FALSE(Doc().OpenStoryPath(empty.Path()));
  EXPECT_FALSE(Doc().OpenStoryPath(empty / "nothing/gamefile.txt"));
  ASSERT_EQ(m_ui.Messages.size(), 2u);
  EXPECT_NE(m_ui.Messages[0].Text.find(empty.Path()), std::string::npos);
  EXPECT_EQ(m_ui.Messages[0].Icon, MessageIcon::Error);
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  EXPECT_FALSE(Doc().IsTitlePage());
}

TEST_F(OpenStoryPath, ValidationFollowsTheSettings) {
  testing_support::TempDir dir;
  WriteStory(dir / "bad", "[Title]\n@NAME Broken\n[Setup]\n@FIRSTSCENE Room\n[Room]\n@IMAGE gone.bmp\n");
  EXPECT_FALSE(Doc().OpenStoryPath(dir / "bad"));
  ASSERT_EQ(m_ui.StoryErrorLists.size(), 1u);
  EXPECT_FALSE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().CurrentScene(), nullptr);

  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
  m_doc.reset();
  EXPECT_TRUE(Doc().OpenStoryPath(dir / "bad"));  // unchecked, it opens; the picture is missing
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_EQ(m_ui.StoryErrorLists.size(), 1u);
}
