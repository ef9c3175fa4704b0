// The stories that come with the program: the demo validates cleanly, the story with
// deliberate errors lists every one of them, and the pictures are what the generator draws.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "tests/storytool/ToolRunner.h"
#include "tests/support/TestFiles.h"

namespace {

std::string StoriesDir() { return testing_support::SourceDir() + "/Stories"; }

struct GoodStory {
  const char* folder;
  const char* name;
};
const GoodStory kGoodStories[] = {{"Lantern", "The Lantern Keeper"}, {"Autumn", "The Autumn Letter"}};

TEST(DemoStories, GoodStoriesValidateCleanlyAndUseEveryFile) {
  for (const GoodStory& story : kGoodStories) {
    std::string folder = StoriesDir() + "/" + story.folder;
    ToolRun run = RunStoryTool({"validate", "--image-sizes", folder});
    EXPECT_EQ(run.status, 0) << story.folder;
    EXPECT_EQ(run.out, "OK\n") << story.folder;
    EXPECT_EQ(run.err, "") << story.folder;
    ToolRun lint = RunStoryTool({"lint", "--werror", folder});
    EXPECT_EQ(lint.status, 0) << story.folder;
    EXPECT_EQ(lint.out, "") << story.folder;
    // The scene graph has an edge for every link.
    auto count = [](const std::string& text, const std::string& what) {
      size_t n = 0;
      for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
      return n;
    };
    ToolRun graph = RunStoryTool({"graph", folder});
    EXPECT_EQ(count(graph.out, " -> "), count(testing_support::ReadFile(folder + "/gamefile.txt"), "\n@LINK"));
    EXPECT_GT(count(graph.out, " -> "), 5u);
    ToolRun name = RunStoryTool({"name", folder});
    EXPECT_EQ(name.out, std::string(story.name) + "\n");
    ToolRun unused = RunStoryTool({"unused", folder});
    EXPECT_EQ(unused.out, "------- Sounds -------\n------- Images -------\n------- Music -------\n------- END -------\n")
        << story.folder;
  }
}

// Every picture, sound and music file of the good stories loads as the player loads it.
TEST(DemoStories, EveryMediaFileLoads) {
  for (const GoodStory& story : kGoodStories) {
    ToolRun run = RunStoryTool({"media", StoriesDir() + "/" + story.folder});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    std::map<std::string, int> kinds;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_NE(line.find(" ok "), std::string::npos) << line;
      ++kinds[line.substr(0, line.find(' '))];
    }
    EXPECT_GT(kinds["picture"], 5) << story.folder;
    EXPECT_GT(kinds["sound"], 4) << story.folder;
    EXPECT_GE(kinds["music"], 3) << story.folder;
  }
}

// Between them the good stories show every kind of file and every way of playing it, so that
// a newcomer (and an author reading them) meets all of it.
TEST(DemoStories, TogetherTheyShowEveryFeature) {
  // Texts of the story files: speeds, loop counts, music that stops, sound pauses, line breaks,
  // three and four options, Windows folder names and file names in another letter case.
  const std::vector<std::string> keywords = {
      "@ANIMSPEED   FAST", "@ANIMSPEED   MEDIUM", "@ANIMSPEED   SLOW", "@ANIMSPEED   4", "@ANIMLOOP    FOREVER",
      "@ANIMLOOP    3", "@MUSIC       stop", "@MUSICLOOP   1", "@SOUNDLOOP   FOREVER", "@SOUNDLOOP   3",
      "@SOUNDDELAY  RANDOM", "@SOUNDDELAY  250", "\\n", "@OPTION3", "@OPTION4", "pics\\\n", "Pictures\\\n",
      "Shore.BMP", "Cottage1.PNG"};
  // Kinds of media file: BMP by bits per pixel, PNG by colour type (3 palette, 2 true colour),
  // WAV by bits per sample, Ogg Vorbis and MIDI.
  const std::vector<std::string> formats = {"bmp4", "bmp8", "bmp24", "png3", "png2", "wav8", "wav16", "ogg", "midi"};
  std::set<std::string> seen;
  for (const GoodStory& story : kGoodStories) {
    std::string folder = StoriesDir() + "/" + story.folder;
    std::string text = testing_support::ReadFile(folder + "/gamefile.txt");
    for (const std::string& keyword : keywords)
      if (text.find(keyword) != std::string::npos) seen.insert(keyword);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      std::string bytes = testing_support::ReadFile(entry.path().string());
      if (bytes.size() < 40) continue;
      if (bytes.compare(0, 2, "BM") == 0) seen.insert("bmp" + std::to_string(bytes[28]));
      if (bytes.compare(1, 3, "PNG") == 0) seen.insert("png" + std::to_string(bytes[25]));
      if (bytes.compare(0, 4, "RIFF") == 0) seen.insert("wav" + std::to_string(bytes[34]));
      if (bytes.compare(0, 4, "OggS") == 0) seen.insert("ogg");
      if (bytes.compare(0, 4, "MThd") == 0) seen.insert("midi");
    }
  }
  for (const std::vector<std::string>* wanted : {&keywords, &formats})
    for (const std::string& feature : *wanted) EXPECT_TRUE(seen.count(feature)) << "no demo story shows " << feature;
}

TEST(DemoStories, BrokenListsItsDeliberateErrors) {
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

// The committed pictures, music and sounds are exactly what the generators in tools/ make, and
// every media file of the stories comes from one of them.
TEST(DemoStories, MediaAreWhatTheGeneratorsMake) {
  testing_support::TempDir dir;
  for (const char* generator : {FABLEWICK_STORY_ART, FABLEWICK_STORY_MUSIC, FABLEWICK_STORY_SOUNDS}) {
    ToolRun run = RunProgram(generator, {dir.Path()});
    ASSERT_EQ(run.status, 0) << generator << ": " << run.err;
  }
  std::set<std::string> generated;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    if (!entry.is_regular_file()) continue;
    std::string relative = std::filesystem::relative(entry.path(), dir.Path()).string();
    generated.insert(relative);
    EXPECT_TRUE(testing_support::ReadFile(entry.path().string()) == testing_support::ReadFile(StoriesDir() + "/" + relative))
        << relative << " differs from what the generators make";
  }
  EXPECT_GT(generated.size(), 50u);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(StoriesDir())) {
    std::string relative = std::filesystem::relative(entry.path(), StoriesDir()).string();
    if (entry.is_regular_file() && entry.path().filename() != "gamefile.txt" && relative != "Broken/pics/notapicture.bmp") {
      EXPECT_TRUE(generated.count(relative)) << relative << " is not made by any generator";
    }
  }
}

}  // namespace
