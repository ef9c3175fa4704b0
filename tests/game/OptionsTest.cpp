#include "tests/game/GameFixture.h"

using Options = GameFixture;

TEST_F(Options, OkStoresTheSettingsAndShowsSceneNames) {
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    EXPECT_EQ(choice.Settings.DebugOn, 0);
    choice.Settings.DebugOn = 1;
    choice.Settings.ValidateImageSizes = 1;
    choice.Settings.Use16BitOggVorbisDecoding = 0;
    return true;
  };
  int updates = m_ui.Updates;
  Doc().ShowOptions();
  EXPECT_TRUE(Doc().ShowSceneNames());
  EXPECT_GT(m_ui.Updates, updates);
  CGameSettings stored;
  stored.Read(*m_store);
  EXPECT_EQ(stored.DebugOn, 1);
  EXPECT_EQ(stored.ValidateImageSizes, 1);
  EXPECT_EQ(stored.Use16BitOggVorbisDecoding, 0);
}

TEST_F(Options, CancelChangesNothing) {
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    choice.Settings.DebugOn = 1;
    return false;
  };
  int updates = m_ui.Updates;
  Doc().ShowOptions();
  EXPECT_FALSE(Doc().ShowSceneNames());
  EXPECT_EQ(m_ui.Updates, updates);
  EXPECT_EQ(m_store->ReadInt(kSettingsSection, "DebugOn", -7), -7);
}

TEST_F(Options, CloseGameWritesTheSettings) {
  m_ui.OnSelectStory = [](StorySelection& selection) {
    selection.SortByName = true;
    return false;  // cancelled: the sort flag is not taken
  };
  WriteSimpleStory(StoryDir("a"), "Harbour");
  Doc().NewGame();
  Doc().CloseGame();
  CGameSettings stored;
  stored.Read(*m_store);
  EXPECT_EQ(stored.SortTitlesOn, 0);
  EXPECT_EQ(stored.StoriesPath, StoriesDir());
}

TEST_F(Options, UnusedResourcesListsTheStorysSpareFiles) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  WritePicture(StoryDir("a") + "/pics/spare.bmp");
  StartGame("Harbour");
  Doc().ListUnusedResources();
  EXPECT_EQ(m_ui.UnusedCalls, 1);
  EXPECT_EQ(m_ui.UnusedPictures, (std::vector<std::string>{"spare.bmp"}));
  EXPECT_EQ(m_ui.BusyDepth, 0);
  EXPECT_GT(m_ui.BusyCalls, 0);
}
