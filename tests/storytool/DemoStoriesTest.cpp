// The stories that come with the program: the demo validates cleanly, the story with
// deliberate errors lists every one of them, and the pictures are what the generator draws.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/storytool/ToolRunner.h"
#include "tests/support/TestFiles.h"

namespace {

std::string StoriesDir() { return testing_support::SourceDir() + "/Stories"; }

TEST(DemoStories, LanternValidatesCleanly) {
  ToolRun run = RunStoryTool({"validate", "--image-sizes", StoriesDir() + "/Lantern"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  ToolRun name = RunStoryTool({"name", StoriesDir() + "/Lantern"});
  EXPECT_EQ(name.out, "The Lantern Keeper\n");
  ToolRun unused = RunStoryTool({"unused", StoriesDir() + "/Lantern"});
  EXPECT_EQ(unused.out, "------- Sounds -------\n------- Images -------\n------- Music -------\n------- END -------\n");
}

TEST(DemoStories, LanternUsesWindowsStyleNames) {
  std::string text = testing_support::ReadFile(StoriesDir() + "/Lantern/gamefile.txt");
  EXPECT_NE(text.find("@IMAGEDIR   pics\\\n"), std::string::npos);
  EXPECT_NE(text.find("Shore.BMP"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(StoriesDir() + "/Lantern/pics/shore.bmp"));
  EXPECT_FALSE(std::filesystem::exists(StoriesDir() + "/Lantern/pics/Shore.BMP"));
}

TEST(DemoStories, BrokenListsEveryKindOfError) {
  std::string story = StoriesDir() + "/Broken";
  ToolRun run = RunStoryTool({"validate", "--image-sizes", story});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Error! The specified scene in @FirstScene could not be found. (line 10, Scene \"Setup\")\n"
            "Error! Option text was specified without a link. (Scene \"Start\")\n"
            "Error! A link was specified without any option text. (line 20, Scene \"Start\")\n"
            "Error! Link definition is empty. (line 25, Scene \"Start\")\n"
            "Error! Option definition is empty. (line 21, Scene \"Start\")\n"
            "Error! Scene doesn't contain a required image or animation. (line 26, Scene \"No picture\")\n"
            "Error! Animation speed or looping specified without an animation definition. (line 27, Scene \"No picture\")\n"
            "Error! Music directory not found (line 10, Scene \"Setup\")\n"
            "Error! Sound directory not found (line 10, Scene \"Setup\")\n"
            "Error! The required author's name could not be found. (line 5, Scene \"Title\")\n"
            "Error! The required artist's name could not be found. (line 5, Scene \"Title\")\n"
            "Error! Too many images in @anim.  There is a limit of 32 allowed. (line 33, Scene \"Too many pictures\")\n"
            "Error! Bad range for @soundDelay RANDOM.  First value must be less than second value. (line 41, Scene \"Noises\")\n"
            "Error! Music not found (line 42, Scene \"Noises\"): theme.mid\n"
            "Error! Image not found (line 18, Scene \"Start\"): missing.bmp\n"
            "Error! Unsupported image format (line 36, Scene \"Bad pictures\"): notapicture.bmp\n"
            "Error! Image is too wide or too high; limit is 200 by 112 pixels (line 36, Scene \"Bad pictures\"): oversized.bmp\n"
            "Error! Sound not found (line 40, Scene \"Noises\"): rain.wav\n"
            "Error! The specified scene in a link could not be found. (line 20, Scene \"Start\"): Nowhere\n");
  std::string game = "Game:\t" + story + "/gamefile.txt\n";
  EXPECT_EQ(run.err, game + "Line:\t7\nSection:\tTitle\nError:\tWas not expecting @IMAGE.\n" + game +
                         "Line:\t15\nSection:\tSetup\nError:\tWas not expecting @DESCRIPTION.\n");

  ToolRun name = RunStoryTool({"name", story});
  EXPECT_EQ(name.status, 0);
  EXPECT_EQ(name.out, "The Broken Lantern (errors on purpose)\n");
}

TEST(DemoStories, PicturesAreWhatTheGeneratorDraws) {
  testing_support::TempDir dir;
  ToolRun run = RunProgram(FABLEWICK_STORY_ART, {dir.Path()});
  ASSERT_EQ(run.status, 0) << run.err;
  int compared = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    if (!entry.is_regular_file()) continue;
    std::string relative = std::filesystem::relative(entry.path(), dir.Path()).string();
    EXPECT_EQ(testing_support::ReadFile(entry.path().string()), testing_support::ReadFile(StoriesDir() + "/" + relative))
        << relative << " differs from what fablewick-story-art draws";
    ++compared;
  }
  EXPECT_EQ(compared, 10);
}

}  // namespace
