// Numbers, loop counts, animation speed, sound delays, paths and scene lookup.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "story/StoryText.h"
#include "tests/story/StoryTestSupport.h"

namespace {

using story_text::ToSigned;
using story_text::ToUnsigned;

TEST(StoryNumbers, ReadWithAutomaticBase) {
  EXPECT_EQ(ToSigned("42"), 42);
  EXPECT_EQ(ToSigned(" \t\n -5"), -5);
  EXPECT_EQ(ToSigned("+7"), 7);
  EXPECT_EQ(ToSigned("0x10"), 16);
  EXPECT_EQ(ToSigned("0XfF"), 255);
  EXPECT_EQ(ToSigned("010"), 8);
  EXPECT_EQ(ToSigned("09"), 0);
  EXPECT_EQ(ToSigned("12abc"), 12);
  EXPECT_EQ(ToSigned("0x"), 0);
  EXPECT_EQ(ToSigned("0xg1"), 0);
  EXPECT_EQ(ToSigned("abc"), 0);
  EXPECT_EQ(ToSigned(""), 0);
  EXPECT_EQ(ToSigned("-"), 0);
  EXPECT_EQ(ToSigned("- 5"), 0);
}

TEST(StoryNumbers, SignedSaturatesAt32Bits) {
  EXPECT_EQ(ToSigned("2147483647"), INT32_MAX);
  EXPECT_EQ(ToSigned("2147483648"), INT32_MAX);
  EXPECT_EQ(ToSigned("-2147483648"), INT32_MIN);
  EXPECT_EQ(ToSigned("-2147483649"), INT32_MIN);
  EXPECT_EQ(ToSigned("99999999999999999999999999"), INT32_MAX);
  EXPECT_EQ(ToSigned("0xFFFFFFFF"), INT32_MAX);
}

TEST(StoryNumbers, UnsignedWrapsMinusAndSaturates) {
  EXPECT_EQ(ToUnsigned("4294967295"), UINT32_MAX);
  EXPECT_EQ(ToUnsigned("4294967296"), UINT32_MAX);
  EXPECT_EQ(ToUnsigned("-1"), UINT32_MAX);
  EXPECT_EQ(ToUnsigned("-4294967295"), 1u);
  EXPECT_EQ(ToUnsigned("-4294967296"), UINT32_MAX);
  EXPECT_EQ(ToUnsigned("-99999999999"), UINT32_MAX);
  EXPECT_EQ(ToUnsigned("0x7d0"), 2000u);
  EXPECT_EQ(ToUnsigned("  500-2000"), 500u);
}

TEST(StoryPaths, JoinPathAddsOneSeparator) {
  EXPECT_EQ(CGameFile::JoinPath("", "tree.bmp"), "tree.bmp");
  EXPECT_EQ(CGameFile::JoinPath("pics", "tree.bmp"), "pics/tree.bmp");
  EXPECT_EQ(CGameFile::JoinPath("pics/", "tree.bmp"), "pics/tree.bmp");
  EXPECT_EQ(CGameFile::JoinPath("pics\\", "tree.bmp"), "pics\\tree.bmp");
  EXPECT_EQ(CGameFile::JoinPath("/", "x"), "/x");
}

class StoryValues : public StoryTest {
 protected:
  // Reads one scene with the given keyword lines.
  const SceneSection& ReadScene(const std::string& lines) {
    Read("[Scene]\n" + lines);
    return Scene(0);
  }
};

TEST_F(StoryValues, LoopCounts) {
  const SceneSection& none = ReadScene("@IMAGE a.bmp\n");
  EXPECT_EQ(story.MusicLoops(none), -1);
  EXPECT_EQ(story.SoundLoops(none), 0);
  EXPECT_EQ(story.AnimLoops(none), 0);

  const SceneSection& given = ReadScene("@ANIMLOOP forever\n@SOUNDLOOP 0x10\n@MUSICLOOP 3 times\n");
  EXPECT_EQ(story.AnimLoops(given), -1);
  EXPECT_EQ(story.SoundLoops(given), 16);
  EXPECT_EQ(story.MusicLoops(given), 3);

  const SceneSection& odd = ReadScene("@ANIMLOOP FOREVER!\n@SOUNDLOOP -2\n@MUSICLOOP\n@IMAGE x\n");
  EXPECT_EQ(story.AnimLoops(odd), 0);
  EXPECT_EQ(story.SoundLoops(odd), -2);
  EXPECT_EQ(story.MusicLoops(odd), 0);
}

TEST_F(StoryValues, AnimationInterval) {
  const struct {
    const char* speed;
    uint32_t interval;
  } cases[] = {{"fast", 83},  {"FAST", 83},    {"Medium", 166}, {"slow", 1000}, {"4", 250},
               {"3", 333},    {"quick", 166},  {"0", 166},      {"1000", 1},    {"1001", 0},
               {"-5", 0},     {"0x14", 50},    {"2 fps", 500}};
  for (const auto& c : cases) {
    const SceneSection& scene = ReadScene(std::string("@ANIMSPEED ") + c.speed + "\n");
    EXPECT_EQ(story.AnimInterval(scene), c.interval) << c.speed;
  }
  EXPECT_EQ(story.AnimInterval(ReadScene("@IMAGE x\n")), 166u);
}

TEST_F(StoryValues, SoundDelays) {
  const struct {
    const char* delay;
    uint32_t min, max;
  } cases[] = {{"RANDOM 500-2000", 500, 2000},
               {"RANDOM 500, 2000", 500, 2000},
               {"RANDOM 500 2000", 500, 500},
               {"random 100-50", 100, 50},
               {"RANDOM 10-20", 16, 20},
               {"RANDOM 10-12", 16, 16},
               {"RANDOM", 16, 16},
               {"RANDOM,300", 16, 300},
               {"RANDOM 1-2,3", 16, 16},
               {"RANDOMLY 300", 16, 16},
               {"250", 250, 250},
               {"5", 16, 16},
               {"soon", 16, 16},
               {"RAND 300", 16, 16},
               {"-1", UINT32_MAX, UINT32_MAX}};
  for (const auto& c : cases) {
    const SceneSection& scene = ReadScene(std::string("@SOUNDDELAY ") + c.delay + "\n");
    EXPECT_EQ(story.SoundDelayMin(scene), c.min) << c.delay;
    EXPECT_EQ(story.SoundDelayMax(scene), c.max) << c.delay;
  }
  const SceneSection& none = ReadScene("@IMAGE x\n");
  EXPECT_EQ(story.SoundDelayMin(none), 0u);
  EXPECT_EQ(story.SoundDelayMax(none), 0u);
}

TEST_F(StoryValues, MediaPathsJoinFolderAndDirectory) {
  std::string folder = dir.Path() + "/";
  Read("[Setup]\n@IMAGEDIR pics\\\n@SOUNDDIR sounds\n@MUSICDIR a/b/\n");
  EXPECT_EQ(story.ImagePath("tree.bmp"), folder + "pics/tree.bmp");
  EXPECT_EQ(story.ImagePath(""), folder + "pics/");
  EXPECT_EQ(story.ImagePath("old\\tree.bmp"), folder + "pics/old/tree.bmp");
  EXPECT_EQ(story.SoundPath("wind.ogg"), folder + "sounds/wind.ogg");
  EXPECT_EQ(story.MusicPath("theme.mid"), folder + "a/b/theme.mid");
  EXPECT_EQ(story.MusicPath(""), "");

  Read("[Title]\n@NAME x\n");
  EXPECT_EQ(story.ImagePath("tree.bmp"), folder + "tree.bmp");
  EXPECT_EQ(story.SoundPath("*.wav"), folder + "*.wav");
}

TEST_F(StoryValues, StoryWithoutFolderUsesBareNames) {
  testing_support::WriteFile(dir / "gamefile.txt", "[Setup]\n@IMAGEDIR pics\n");
  std::string previous = std::filesystem::current_path().string();
  std::filesystem::current_path(dir.Path());
  story.OpenStory("gamefile.txt", false, false, true);
  std::filesystem::current_path(previous);
  EXPECT_EQ(story.Folder(), "");
  EXPECT_EQ(story.ImagePath("tree.bmp"), "pics/tree.bmp");
  EXPECT_EQ(story.Setup().ImageDir.Text, "pics");
}

TEST_F(StoryValues, FindSceneTakesFirstMatchIgnoringCase) {
  Read("[Setup]\n@FIRSTSCENE cave\n[Lake]\n[Cave]\n@DESCRIPTION first\n[CAVE]\n@DESCRIPTION second\n[ Hall ]\n");
  const SceneSection* cave = story.FindScene("cave");
  ASSERT_NE(cave, nullptr);
  EXPECT_EQ(cave->Description.Text, "first");
  EXPECT_EQ(story.FindScene("CAVE"), cave);
  EXPECT_EQ(story.GetFirstScene(), cave);
  EXPECT_EQ(story.FindScene("Hall"), nullptr);
  EXPECT_NE(story.FindScene(" hall "), nullptr);
  EXPECT_EQ(story.FindScene("Caves"), nullptr);
  EXPECT_EQ(story.FindScene(""), nullptr);
}

TEST_F(StoryValues, HasStoryFollowsName) {
  Read("[Title]\n@AUTHOR x\n");
  EXPECT_FALSE(story.HasStory());
  Read("[Title]\n@NAME x\n");
  EXPECT_TRUE(story.HasStory());
}

}  // namespace
