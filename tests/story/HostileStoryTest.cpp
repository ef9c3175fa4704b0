// Inputs no author would write: binary junk, NUL bytes, a 100 MB line, 100,000 scenes. The
// reader and validation must come through each without a crash, a leak or a hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/story/StoryTestSupport.h"

namespace {

// Random bytes drawn mostly from the characters the format gives a meaning to.
std::string StoryLikeJunk(size_t size, uint32_t seed) {
  static const char kMeaningful[] = "[]@/\\\r\n\t =,nTITLESETUPIMAGEANIMLINK1OPTION1";
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    uint32_t draw = random();
    c = (draw & 1) ? kMeaningful[(draw >> 1) % (sizeof kMeaningful - 1)] : static_cast<char>(draw >> 8);
  }
  return bytes;
}

class HostileStory : public StoryTest {
 protected:
  // Opens with validation (showing everything) and reads the name; checks that the line
  // numbers handed out stay within the file.
  void ReadEverything(const std::string& path, uint32_t lastLine) {
    story.OpenStory(path, true, true, false);
    for (const auto& scene : story.Scenes()) {
      EXPECT_LE(scene->Header.Line, lastLine);
      EXPECT_LE(scene->FramesLine, lastLine);
      EXPECT_LE(scene->Description.Line, lastLine);
    }
    for (const StoryError& error : story.Errors()) EXPECT_LE(error.Line, lastLine);
    std::string name;
    CGameFile fresh;
    fresh.SetReporter(&reporter);
    fresh.ReadStoryName(path, name);
  }

  static uint32_t LastLine(const std::string& text) {
    return 1 + static_cast<uint32_t>(std::count(text.begin(), text.end(), '\n'));
  }
};

TEST_F(HostileStory, SurvivesBinaryJunk) {
  std::mt19937 random(7);
  std::string bytes(1 << 20, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  ReadEverything(WriteStory(bytes), LastLine(bytes));
}

TEST_F(HostileStory, SurvivesStoryLikeJunk) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    std::string bytes = StoryLikeJunk(20000, seed);
    ReadEverything(WriteStory(bytes), LastLine(bytes));
  }
  EXPECT_FALSE(reporter.warningBoxes.empty());
}

TEST_F(HostileStory, NulBytesAreNothing) {
  std::string bytes(100000, '\0');
  ReadEverything(WriteStory(bytes), 1);
  EXPECT_TRUE(story.Scenes().empty());
  EXPECT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1000, 1001, 1015, 1016, 1017, 1018}));  // as listed

  std::string spaced = "[Title]\n@NAME N" + std::string(70000, '\0') + "ame\n";
  std::string name;
  EXPECT_TRUE(story.ReadStoryName(WriteStory(spaced), name));
  EXPECT_EQ(name, "Name");
}

TEST_F(HostileStory, UnclosedHeaderRunsToEnd) {
  std::string bytes = "[" + std::string(5 << 20, 'h');
  ReadEverything(WriteStory(bytes), 1);
  ASSERT_EQ(story.Scenes().size(), 1u);
  EXPECT_EQ(Scene(0).Header.Text.size(), 5u << 20);
}

TEST_F(HostileStory, ReadsHundredMegabyteSingleLine) {
  const size_t kLength = 100u << 20;
  std::string path;
  {
    std::string bytes = "[Title]\n@NAME ";
    bytes.append(kLength, 'x');
    path = WriteStory(bytes);
  }
  std::string name;
  ASSERT_TRUE(story.ReadStoryName(path, name));
  EXPECT_EQ(name.size(), kLength);
  name.clear();
  name.shrink_to_fit();
  story.OpenStory(path, true, false, true);
  EXPECT_EQ(story.Title().Name.Text.size(), kLength);
  EXPECT_EQ(story.Title().Name.Line, 2u);
}

TEST_F(HostileStory, ValidatesHundredThousandScenes) {
  const int kScenes = 100000;
  WriteMedia("a.bmp", BmpBytes(8, 8));
  std::string text = "[Title]\n@NAME Many\n@AUTHOR a\n@ARTIST b\n[Setup]\n@FIRSTSCENE scene 0\n";
  for (int i = 0; i < kScenes; ++i) {
    text += "[Scene " + std::to_string(i) + "]\n@IMAGE a.bmp\n@OPTION1 Next\n@LINK1 SCENE " +
            std::to_string((i + 1) % kScenes) + "\n";
  }
  EXPECT_TRUE(story.OpenStory(WriteStory(text), true, true, true));
  ASSERT_EQ(story.Scenes().size(), static_cast<size_t>(kScenes));
  EXPECT_EQ(story.Scenes().back()->Header.Line, 7u + 4u * (kScenes - 1));
  EXPECT_EQ(story.FindScene("scene 99999"), story.Scenes().back().get());
  EXPECT_TRUE(story.Errors().empty());
}

}  // namespace
