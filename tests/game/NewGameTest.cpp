#include "tests/game/GameFixture.h"

using NewGame = GameFixture;

TEST_F(NewGame, OkOpensTheChosenStoryOnItsTitlePage) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  WriteSimpleStory(StoryDir("b"), "Lighthouse");
  m_ui.OnSelectStory = [](StorySelection& selection) {
    EXPECT_EQ(selection.Stories.size(), 2u);
    EXPECT_EQ(selection.InitialSelection, -1);
    selection.SelectedLine = 0;
    selection.SelectedName = "LIGHTHOUSE";  // the dialog's line; found ignoring case
    return true;
  };
  Doc().NewGame();
  EXPECT_EQ(m_ui.SelectStoryCalls, 1);
  EXPECT_TRUE(Doc().IsStoryLoaded());
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_TRUE(Doc().IsTitleNewGame());
  EXPECT_EQ(Doc().GetTitleRecord().Name.Text, "Lighthouse");
  EXPECT_EQ(Doc().GetSceneName(), "Shore");
  EXPECT_GT(m_ui.Updates, 0);
  EXPECT_EQ(m_ui.ValidatingCalls, 1);  // validated with the notice shown
  EXPECT_EQ(m_ui.BusyDepth, 0);
}

TEST_F(NewGame, CancelOrNoLineLeavesTheGameAsItWas) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  StartGame("Harbour");
  Doc().FollowOption(0);
  ASSERT_EQ(Doc().GetSceneName(), "Tower");

  m_ui.OnSelectStory = [](StorySelection&) { return false; };
  Doc().NewGame();
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  EXPECT_FALSE(Doc().IsTitlePage());

  m_ui.OnSelectStory = [](StorySelection& selection) {
    selection.SelectedLine = -1;
    return true;
  };
  Doc().NewGame();
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  EXPECT_TRUE(Doc().IsStoryLoaded());
}

TEST_F(NewGame, WithoutStoriesShowsNoDialog) {
  Doc().NewGame();
  EXPECT_EQ(m_ui.SelectStoryCalls, 0);
  EXPECT_FALSE(Doc().IsStoryLoaded());
}

TEST_F(NewGame, StoryWithErrorsShowsThemAndStaysOnTheStartPage) {
  WriteStory(StoryDir("bad"), "[Title]\n@NAME Broken\n[Setup]\n@FIRSTSCENE Nowhere\n[Room]\n@IMAGE gone.bmp\n");
  m_ui.OnSelectStory = ChooseStory("Broken");
  Doc().NewGame();
  ASSERT_EQ(m_ui.StoryErrorLists.size(), 1u);
  EXPECT_EQ(m_ui.StoryErrorsName, "Broken");
  EXPECT_FALSE(m_ui.StoryErrorLists[0].empty());
  EXPECT_FALSE(Doc().IsStoryLoaded());
  EXPECT_FALSE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().CurrentScene(), nullptr);
}

TEST_F(NewGame, UnvalidatedStoryWithoutFirstSceneHasNoScene) {
  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
  WriteStory(StoryDir("s"), "[Title]\n@NAME Lost\n[Setup]\n@FIRSTSCENE Nowhere\n[Room]\n@IMAGE a.bmp\n");
  m_ui.OnSelectStory = ChooseStory("Lost");
  Doc().NewGame();
  EXPECT_TRUE(Doc().IsStoryLoaded());
  EXPECT_FALSE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().CurrentScene(), nullptr);
  EXPECT_FALSE(Doc().FollowOption(0));
  EXPECT_TRUE(m_ui.StoryErrorLists.empty());
}

TEST_F(NewGame, DialogResultsBecomeTheSettingsAndTheSearchedList) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  testing_support::TempDir other;
  WriteSimpleStory(other / "x", "Elsewhere");
  std::string otherPath = other.Path();
  m_ui.OnSelectStory = [otherPath](StorySelection& selection) {
    selection.StoriesPath = otherPath;
    selection.SortByName = true;
    EXPECT_TRUE(SearchStories(selection.Stories, otherPath, nullptr));
    selection.SearchedAgain = true;
    selection.SelectedLine = 0;
    selection.SelectedName = "Elsewhere";
    return true;
  };
  Doc().NewGame();
  EXPECT_EQ(Doc().Settings().StoriesPath, otherPath);
  EXPECT_EQ(Doc().Settings().SortTitlesOn, 1);
  ASSERT_EQ(Doc().Stories().size(), 1u);
  EXPECT_EQ(Doc().GetTitleRecord().Name.Text, "Elsewhere");
}

TEST_F(NewGame, ResetGameReturnsToTheStartPage) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  StartGame("Harbour");
  Doc().ResetGame();
  EXPECT_FALSE(Doc().IsStoryLoaded());
  EXPECT_EQ(Doc().CurrentScene(), nullptr);
  EXPECT_EQ(Doc().GetSceneText(), "");
  EXPECT_FALSE(Doc().FollowOption(0));
  // The released story's files are not unused: there is nothing to list.
  EXPECT_FALSE(Doc().CanListUnusedResources());
  Doc().ListUnusedResources();
  EXPECT_TRUE(m_ui.UnusedPictures.empty());
}
