#include "tests/game/GameFixture.h"

#include "platform/TextEncoding.h"

using SavedPosition = GameFixture;

TEST_F(SavedPosition, SaveAsksAndWritesStorySceneAndNoMusic) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  StartGame("Harbour");
  Doc().FollowOption(0);
  m_ui.Answers = {MessageAnswer::No};
  Doc().SaveGame();
  EXPECT_EQ(Saved("SaveTitle"), "");
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().SaveGame();
  EXPECT_EQ(Saved("SaveTitle"), "Harbour");
  EXPECT_EQ(Saved("SaveScene"), "Tower");
  EXPECT_EQ(Saved("SaveMusic"), "");
  ASSERT_EQ(m_ui.Messages.size(), 3u);
  EXPECT_EQ(m_ui.Messages[0].Text, "Save this position in your game?");
  EXPECT_EQ(m_ui.Messages[0].Icon, MessageIcon::Question);
  EXPECT_EQ(m_ui.Messages[2].Text, "Position has been saved!");
  EXPECT_EQ(m_ui.Messages[2].Icon, MessageIcon::Information);
  EXPECT_TRUE(Doc().HasSavedPosition());
  EXPECT_TRUE(Doc().CanLoadSavedGame());
}

TEST_F(SavedPosition, SaveWithoutStoryDoesNothing) {
  Doc().SaveGame();
  EXPECT_TRUE(m_ui.Messages.empty());
  EXPECT_FALSE(Doc().CanLoadSavedGame());
}

TEST_F(SavedPosition, SaveOnTheTitlePageThenRestoreContinuesFromTheFirstScene) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  m_ui.OnSelectStory = ChooseStory("Harbour");
  Doc().NewGame();
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().SaveGame();
  EXPECT_EQ(Saved("SaveScene"), "Shore");
  Doc().ResetGame();

  m_ui.Answers = {MessageAnswer::Yes};
  Doc().LoadSavedGame();
  EXPECT_EQ(m_ui.Messages.back().Text, "Restore saved position in story named\n\"Harbour\"?");
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_FALSE(Doc().IsTitleNewGame());  // "Continue Play"
  Doc().BeginPlay();
  EXPECT_EQ(Doc().GetSceneName(), "Shore");
  EXPECT_EQ(m_ui.BusyDepth, 0);
}

TEST_F(SavedPosition, RestoreFindsTheStoryIgnoringCaseAndTheFirstOfTwo) {
  WriteSimpleStory(StoryDir("a"), "harbour");
  m_store->WriteString(kSettingsSection, "SaveTitle", "HARBOUR");
  m_store->WriteString(kSettingsSection, "SaveScene", "TOWER");
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().LoadSavedGame();
  ASSERT_TRUE(Doc().IsTitlePage());
  Doc().BeginPlay();
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
}

TEST_F(SavedPosition, RestoresAnAccentedStoryResavedInUtf8) {
  const std::string windows1252 =
      "[Title]\n@NAME Cr\xEApe\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE \xC9tape\n"
      "[\xC9tape]\n@IMAGE p.bmp\n@OPTION1 Go\n@LINK1 CAF\xC9\n[Caf\xE9]\n@IMAGE P.BMP\n";
  const std::string folder = StoryDir("Cr\xC3\xAApe");
  WriteStory(folder, windows1252);
  WritePicture(folder + "/p.bmp");
  StartGame("Cr\xEApe");
  Doc().FollowOption(0);
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().SaveGame();
  EXPECT_EQ(Saved("SaveScene"), "Caf\xE9");

  // The author saves the story again in UTF-8; the next start of the player restores it.
  WriteStory(folder, platform::Cp1252ToUtf8(windows1252));
  m_doc.reset();
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().LoadSavedGame();
  ASSERT_TRUE(Doc().IsTitlePage());
  Doc().BeginPlay();
  EXPECT_EQ(Doc().GetSceneName(), "Caf\xC3\xA9");
}

TEST_F(SavedPosition, TwoStoriesWithTheSavedNameRestoreTheFirstInSearchOrder) {
  WriteSimpleStory(StoryDir("one"), "Twin");
  WriteSimpleStory(StoryDir("two"), "Twin");
  m_store->WriteString(kSettingsSection, "SaveTitle", "Twin");
  m_store->WriteString(kSettingsSection, "SaveScene", "Shore");
  ASSERT_TRUE(Doc().EnsureStoryList());
  std::string first = Doc().Stories()[0].Path;
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().LoadSavedGame();
  EXPECT_EQ(Doc().Story().Path(), first);
}

TEST_F(SavedPosition, MissingStoryIsReported) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  m_store->WriteString(kSettingsSection, "SaveTitle", "Atlantis");
  m_store->WriteString(kSettingsSection, "SaveScene", "Shore");
  Doc().LoadSavedGame();
  ASSERT_EQ(m_ui.Messages.size(), 1u);
  EXPECT_EQ(m_ui.Messages[0].Text, "Error!  The story named\n\"Atlantis\"\ndoes not exist!  Cannot restore game!");
  EXPECT_EQ(m_ui.Messages[0].Icon, MessageIcon::Error);
  EXPECT_FALSE(Doc().IsStoryLoaded());
}

TEST_F(SavedPosition, AnsweringNoKeepsTheCurrentScene) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  StartGame("Harbour");
  Doc().FollowOption(0);
  m_store->WriteString(kSettingsSection, "SaveTitle", "Harbour");
  m_store->WriteString(kSettingsSection, "SaveScene", "Shore");
  m_ui.Answers = {MessageAnswer::No};
  Doc().LoadSavedGame();
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  EXPECT_FALSE(Doc().IsTitlePage());
}

TEST_F(SavedPosition, MissingSceneLeavesTheReopenedStoryWithoutScene) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  m_store->WriteString(kSettingsSection, "SaveTitle", "HARBOUR");
  m_store->WriteString(kSettingsSection, "SaveScene", "Cellar");
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().LoadSavedGame();
  // The story is named as it was saved, like the question before it.
  EXPECT_EQ(m_ui.Messages.front().Text, "Restore saved position in story named\n\"HARBOUR\"?");
  EXPECT_EQ(m_ui.Messages.back().Text,
            "Error!  The scene \"Cellar\" in the story named\n\"HARBOUR\"\ndoes not exist!  Cannot restore game!");
  EXPECT_TRUE(Doc().IsStoryLoaded());
  EXPECT_EQ(Doc().CurrentScene(), nullptr);
  EXPECT_FALSE(Doc().IsTitlePage());
  m_ui.Answers.clear();
  Doc().SaveGame();  // no scene: nothing to save
  EXPECT_EQ(Saved("SaveScene"), "Cellar");
}

TEST_F(SavedPosition, StoryWithErrorsAsksBeforeRestoring) {
  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);  // restores validate whatever the setting
  WriteStory(StoryDir("a"), SimpleStoryText("Harbour") + "[Cave]\n@IMAGE gone.bmp\n");
  WritePicture(StoryDir("a") + "/pics/shore.bmp");
  WritePicture(StoryDir("a") + "/pics/tower.bmp");
  m_store->WriteString(kSettingsSection, "SaveTitle", "harbour");
  m_store->WriteString(kSettingsSection, "SaveScene", "Tower");

  m_ui.Answers = {MessageAnswer::Yes, MessageAnswer::No};
  Doc().LoadSavedGame();
  ASSERT_EQ(m_ui.StoryErrorLists.size(), 1u);
  EXPECT_EQ(m_ui.Messages.back().Text,
            "The story \"harbour\" contained errors.  Do you wish to continue restoring?");
  EXPECT_EQ(m_ui.Messages.back().Icon, MessageIcon::Exclamation);
  EXPECT_FALSE(Doc().IsStoryLoaded());
  EXPECT_EQ(m_ui.ValidatingCalls, 0);  // checked quietly

  m_ui.Answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  Doc().LoadSavedGame();
  EXPECT_TRUE(Doc().IsTitlePage());
  EXPECT_TRUE(Doc().IsStoryLoaded());
  Doc().BeginPlay();
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
}

TEST_F(SavedPosition, NothingSavedDoesNothing) {
  m_store->WriteString(kSettingsSection, "SaveTitle", "Harbour");
  EXPECT_TRUE(Doc().HasSavedPosition());
  EXPECT_FALSE(Doc().CanLoadSavedGame());
  Doc().LoadSavedGame();
  EXPECT_TRUE(m_ui.Messages.empty());
}

class RestoredMusic : public GameFixture {
 protected:
  void SetUp() override {
    WriteSimpleStory(StoryDir("a"), "Harbour");
    WriteSimpleStory(StoryDir("b"), "Meadow");
    m_store->WriteString(kSettingsSection, "SaveTitle", "Harbour");
    m_store->WriteString(kSettingsSection, "SaveScene", "Tower");
    m_store->WriteString(kSettingsSection, "SaveMusic", kTune);
  }

  void Restore() {
    m_ui.Answers = {MessageAnswer::Yes};
    Doc().LoadSavedGame();
    ASSERT_TRUE(Doc().IsTitlePage());
    ASSERT_EQ(Doc().PendingMusic(), kTune);
  }

  const std::string kTune = StoryDir("a") + "/music/theme.mid";
};

TEST_F(RestoredMusic, StaysWithTheRestoredStory) {
  Restore();
  m_ui.OnSelectStory = ChooseStory("Meadow");
  Doc().NewGame();
  EXPECT_EQ(Doc().PendingMusic(), "") << "a new game of another story";
  Restore();
  Doc().ResetGame();
  EXPECT_EQ(Doc().PendingMusic(), "") << "Ctrl+N";
  Restore();
  EXPECT_TRUE(Doc().OpenStoryPath(StoryDir("b")));
  EXPECT_EQ(Doc().PendingMusic(), "") << "a story opened by its path";
}

TEST_F(RestoredMusic, RestoreDeclinedOrFailedKeepsTheMusicAnEarlierOneLeft) {
  Restore();
  m_ui.Answers = {MessageAnswer::No};
  Doc().LoadSavedGame();
  EXPECT_EQ(Doc().PendingMusic(), kTune) << "declined";
  m_store->WriteString(kSettingsSection, "SaveTitle", "Atlantis");
  Doc().LoadSavedGame();
  EXPECT_EQ(Doc().PendingMusic(), kTune) << "no such story";
  EXPECT_TRUE(Doc().IsTitlePage());
}
