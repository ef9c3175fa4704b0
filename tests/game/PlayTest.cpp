#include "picture/PictureFactory.h"
#include "tests/game/GameFixture.h"

using Play = GameFixture;

TEST_F(Play, BeginPlayEntersTheFirstSceneWithItsPicture) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  StartGame("Harbour");
  EXPECT_FALSE(Doc().IsTitlePage());
  EXPECT_FALSE(Doc().IsTitleNewGame());
  EXPECT_EQ(Doc().GetSceneText(), "The tide is out.");
  EXPECT_EQ(Doc().GetOptionText(0), "Climb");
  EXPECT_EQ(Doc().GetOptionText(2), "");
  EXPECT_EQ(Doc().GetOptionText(4), "");
  const CDib* picture = Doc().GetCurrentPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->GetWidth(), 8);
  EXPECT_FALSE(m_ui.TimerRunning);  // a still picture runs no animation
}

TEST_F(Play, FollowOptionEntersTheLinkedSceneIgnoringCase) {
  WriteSimpleStory(StoryDir("a"), "Harbour");
  StartGame("Harbour");
  int updates = m_ui.Updates;
  EXPECT_TRUE(Doc().FollowOption(0));
  EXPECT_EQ(Doc().GetSceneName(), "Tower");
  ASSERT_NE(Doc().GetCurrentPicture(), nullptr);
  EXPECT_EQ(Doc().GetCurrentPicture()->GetWidth(), 6);  // Tower.BMP found as tower.bmp
  EXPECT_GT(m_ui.Updates, updates);
  EXPECT_TRUE(Doc().FollowOption(0));  // "shore" finds Shore
  EXPECT_EQ(Doc().GetSceneName(), "Shore");
  EXPECT_FALSE(Doc().FollowOption(-1));
  EXPECT_FALSE(Doc().FollowOption(4));
}

TEST_F(Play, MissingLinkChangesNothing) {
  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
  WriteStory(StoryDir("a"),
             "[Title]\n@NAME Gaps\n@AUTHOR a\n@ARTIST b\n[Setup]\n@FIRSTSCENE One\n"
             "[One]\n@ANIM a.bmp, b.bmp\n@OPTION1 Lake\n@LINK1 Lake\n");
  WritePicture(StoryDir("a") + "/a.bmp");
  WritePicture(StoryDir("a") + "/b.bmp");
  StartGame("Gaps");
  ASSERT_TRUE(m_ui.TimerRunning);
  Doc().AdvanceAnimation();
  int updates = m_ui.Updates;
  EXPECT_FALSE(Doc().FollowOption(0));
  EXPECT_EQ(Doc().GetSceneName(), "One");
  EXPECT_EQ(Doc().FrameIndex(), 1);
  EXPECT_TRUE(m_ui.TimerRunning);
  EXPECT_EQ(m_ui.Updates, updates);
}

// The pixels of a picture, to tell the program's own pictures apart.
std::string Pixels(const CDib* picture) {
  EXPECT_NE(picture, nullptr) << "the program's own pictures are built in";
  if (!picture) return std::string();
  const BitmapRecord& bitmap = picture->GetBitmapRecord();
  return std::string(reinterpret_cast<const char*>(bitmap.bmBits),
                     static_cast<size_t>(bitmap.bmWidthBytes) * static_cast<size_t>(bitmap.bmHeight));
}

TEST_F(Play, SceneWithoutLoadablePictureShowsTheMissingPicture) {
  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
  WriteStory(StoryDir("a"),
             "[Title]\n@NAME Blank\n@AUTHOR a\n@ARTIST b\n[Setup]\n@FIRSTSCENE One\n"
             "[One]\n@IMAGE notapicture.bmp\n@OPTION1 On\n@LINK1 Two\n[Two]\n@DESCRIPTION none\n");
  testing_support::WriteFile(StoryDir("a") + "/notapicture.bmp", "just text");
  EXPECT_EQ(Pixels(Doc().GetCurrentPicture()), Pixels(LoadPictureResource(139).get()));  // the start page
  m_ui.OnSelectStory = ChooseStory("Blank");
  Doc().NewGame();
  EXPECT_EQ(Pixels(Doc().GetCurrentPicture()), Pixels(LoadPictureResource(134).get()));  // the title page
  Doc().BeginPlay();
  const std::string missing = Pixels(LoadPictureResource(153).get());
  EXPECT_EQ(Pixels(Doc().GetCurrentPicture()), missing);
  EXPECT_TRUE(Doc().FollowOption(0));  // a scene without a picture
  EXPECT_EQ(Pixels(Doc().GetCurrentPicture()), missing);
  EXPECT_NE(missing, Pixels(LoadPictureResource(134).get()));
}

class Animation : public GameFixture {
 protected:
  void StartAnimation(const std::string& anim, const std::string& extra) {
    m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
    WriteStory(StoryDir("a"), "[Title]\n@NAME Anim\n@AUTHOR a\n@ARTIST b\n[Setup]\n@FIRSTSCENE One\n"
                              "[One]\n@ANIM " + anim + "\n" + extra + "\n");
    WritePicture(StoryDir("a") + "/a.bmp", 1, 1);
    WritePicture(StoryDir("a") + "/b.bmp", 2, 1);
    WritePicture(StoryDir("a") + "/c.bmp", 3, 1);
    StartGame("Anim");
  }

  std::vector<int> Ticks(int count) {
    std::vector<int> frames;
    for (int i = 0; i < count; ++i) {
      Doc().AdvanceAnimation();
      frames.push_back(Doc().FrameIndex());
    }
    return frames;
  }
};

TEST_F(Animation, RepeatedPicturesShareOneSlot) {
  StartAnimation("a.bmp, b.bmp, A.BMP", "@ANIMLOOP FOREVER");
  const CDib* first = Doc().GetCurrentPicture();
  ASSERT_NE(first, nullptr);
  Doc().AdvanceAnimation();
  const CDib* second = Doc().GetCurrentPicture();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(second->GetWidth(), 2);
  Doc().AdvanceAnimation();
  EXPECT_EQ(Doc().GetCurrentPicture(), first);
}

TEST_F(Animation, TimerRunsAtTheScenesSpeed) {
  StartAnimation("a.bmp, b.bmp", "@ANIMSPEED 4");
  EXPECT_TRUE(m_ui.TimerRunning);
  EXPECT_EQ(m_ui.TimerInterval, 250u);
}

TEST_F(Animation, AbsentLoopCountShowsEveryFrameOnceAndStaysOnTheLast) {
  StartAnimation("a.bmp, b.bmp, c.bmp", "");
  EXPECT_EQ(Ticks(5), (std::vector<int>{1, 2, 2, 2, 2}));
}

TEST_F(Animation, LoopCountTwoRunsThreeTimes) {
  StartAnimation("a.bmp, b.bmp", "@ANIMLOOP 2");
  EXPECT_EQ(Ticks(8), (std::vector<int>{1, 0, 1, 0, 1, 1, 1, 1}));
}

TEST_F(Animation, ForeverNeverStops) {
  StartAnimation("a.bmp, b.bmp", "@ANIMLOOP forever");
  EXPECT_EQ(Ticks(6), (std::vector<int>{1, 0, 1, 0, 1, 0}));
}

TEST_F(Animation, UnloadableFrameLeavesItBlank) {
  StartAnimation("a.bmp, missing.bmp", "@ANIMLOOP FOREVER");
  EXPECT_NE(Doc().GetCurrentPicture(), nullptr);
  Doc().AdvanceAnimation();
  EXPECT_EQ(Doc().GetCurrentPicture(), nullptr);
}

TEST_F(Animation, MoreThanThirtyTwoDistinctPicturesAreAllShown) {
  std::string anim;
  for (int i = 0; i < 34; ++i) {
    anim += (i ? "," : "") + std::string("p") + std::to_string(i) + ".bmp";
    WritePicture(StoryDir("a") + "/p" + std::to_string(i) + ".bmp", i + 1, 1);
  }
  StartAnimation(anim, "@ANIMLOOP FOREVER");
  for (int i = 1; i < 34; ++i) Doc().AdvanceAnimation();
  ASSERT_NE(Doc().GetCurrentPicture(), nullptr);
  EXPECT_EQ(Doc().GetCurrentPicture()->GetWidth(), 34);
}

TEST_F(Animation, StillSceneAfterAnimationStopsTheTimer) {
  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
  WriteStory(StoryDir("a"), "[Title]\n@NAME Anim\n@AUTHOR a\n@ARTIST b\n[Setup]\n@FIRSTSCENE One\n"
                            "[One]\n@ANIM a.bmp,a.bmp\n@OPTION1 x\n@LINK1 Two\n[Two]\n@IMAGE a.bmp\n");
  WritePicture(StoryDir("a") + "/a.bmp");
  StartGame("Anim");
  EXPECT_TRUE(m_ui.TimerRunning);
  Doc().FollowOption(0);
  EXPECT_FALSE(m_ui.TimerRunning);
  int frame = Doc().FrameIndex();
  Doc().AdvanceAnimation();
  EXPECT_EQ(Doc().FrameIndex(), frame);
}

// A new game that does not start and a restore whose scene is gone both take the scene away:
// its animation stops and its frames are no longer shown.
TEST_F(Animation, SceneThatGoesStopsItsAnimation) {
  WriteStory(StoryDir("b"), "[Title]\n@NAME Headless\n@AUTHOR a\n@ARTIST b\n[Setup]\n@FIRSTSCENE Nowhere\n[X]\n");
  auto expectStopped = [&](const char* how) {
    EXPECT_FALSE(m_ui.TimerRunning) << how;
    EXPECT_EQ(Doc().CurrentScene(), nullptr) << how;
    const CDib* shown = Doc().GetCurrentPicture();
    Doc().AdvanceAnimation();
    EXPECT_EQ(Doc().GetCurrentPicture(), shown) << how;
  };
  StartAnimation("a.bmp, b.bmp, c.bmp", "@ANIMLOOP FOREVER");
  m_ui.OnSelectStory = ChooseStory("Headless");
  Doc().NewGame();
  expectStopped("new game without a first scene");

  StartGame("Anim");
  ASSERT_TRUE(m_ui.TimerRunning);
  m_store->WriteString(kSettingsSection, "SaveTitle", "Anim");
  m_store->WriteString(kSettingsSection, "SaveScene", "Gone");
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().LoadSavedGame();
  expectStopped("restore of a missing scene");
}
