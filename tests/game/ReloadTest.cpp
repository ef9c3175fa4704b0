// Reload Story (F5) while an author edits the story, and opening a story straight at a scene.
#include "res/StringIds.h"
#include "tests/game/GameFixture.h"

namespace {

class Reload : public GameFixture {
 protected:
  std::string Folder() const { return StoryDir("harbour"); }
  void Rewrite(const std::string& from, const std::string& to) {
    std::string text = SimpleStoryText("Harbour");
    text.replace(text.find(from), from.size(), to);
    WriteStory(Folder(), text);
  }
};

TEST_F(Reload, KeepsTheSceneWithItsNewTextAndPicture) {
  WriteSimpleStory(Folder(), "Harbour");
  StartGame("Harbour");
  ASSERT_TRUE(Doc().FollowOption(0));
  ASSERT_EQ(Doc().GetSceneText(), "Up high.");
  Rewrite("Up high.", "Up in the lamp room.");
  WritePicture(Folder() + "/pics/tower.bmp", 7, 5);

  EXPECT_TRUE(Doc().ReloadStory());
  EXPECT_FALSE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  EXPECT_EQ(Doc().GetSceneText(), "Up in the lamp room.");
  ASSERT_NE(Doc().GetCurrentPicture(), nullptr);
  EXPECT_EQ(Doc().GetCurrentPicture()->GetWidth(), 7);
  EXPECT_EQ(m_ui.BusyDepth, 0);
}

TEST_F(Reload, SceneThatIsGoneOrTheTitlePageShowsTheTitlePage) {
  WriteSimpleStory(Folder(), "Harbour");
  StartGame("Harbour");
  Doc().FollowOption(0);
  Rewrite("[Tower]", "[Lamp room]");
  EXPECT_TRUE(Doc().ReloadStory());
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_TRUE(Doc().IsTitleNewGame());
  EXPECT_EQ(Doc().GetSceneName(), "Shore");

  Rewrite("@NAME Harbour", "@NAME Harbour Light");
  EXPECT_TRUE(Doc().ReloadStory());
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().GetTitleRecord().Name.Text, "Harbour Light");
}

TEST_F(Reload, ErrorsAreListedAndPlayGoesOn) {
  WriteSimpleStory(Folder(), "Harbour");
  StartGame("Harbour");
  Rewrite("@LINK1 shore", "@LINK1 Nowhere");
  EXPECT_TRUE(Doc().ReloadStory());
  ASSERT_EQ(m_ui.StoryErrorLists.size(), 1u);
  EXPECT_NE(m_ui.StoryErrorLists[0][0].find("Nowhere"), std::string::npos);
  EXPECT_TRUE(Doc().IsStoryLoaded());
  EXPECT_EQ(Doc().GetSceneName(), "Shore");
}

TEST_F(Reload, NothingToReloadOnTheStartPage) {
  EXPECT_FALSE(Doc().CanReloadStory());
  EXPECT_FALSE(Doc().ReloadStory());
  EXPECT_EQ(m_ui.Messages.size(), 0u);
}

TEST_F(Reload, StoryCanOpenStraightAtAScene) {
  WriteSimpleStory(Folder(), "Harbour");
  ASSERT_TRUE(Doc().OpenStoryAtScene(Folder(), "TOWER"));
  EXPECT_FALSE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().GetSceneName(), "Tower");

  EXPECT_FALSE(Doc().OpenStoryAtScene(Folder(), "Cellar"));
  ASSERT_EQ(m_ui.Messages.size(), 1u);
  EXPECT_EQ(m_ui.Messages[0].Text, "The story has no scene named \"Cellar\".");
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().GetSceneName(), "Shore");
}

}  // namespace
