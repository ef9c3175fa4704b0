// The quick read of a story's NAME for the story list, and its three errors.
#include <gtest/gtest.h>

#include "tests/story/StoryTestSupport.h"
#include "tests/support/NamedPipe.h"

namespace {

class StoryNameRead : public StoryTest {
 protected:
  bool ReadName(const std::string& text) { return story.ReadStoryName(WriteStory(text), name); }
  std::string Window(const std::string& rest) const { return "Game:\t" + dir / "gamefile.txt" + "\n" + rest; }
  std::string name;
};

TEST_F(StoryNameRead, FindsNameAndStopsThere) {
  EXPECT_TRUE(ReadName("[Scene]\n@IMAGE x\n[Title]\n@AUTHOR a\n@NAME  The Lantern\n@BOGUS after\n"));
  EXPECT_EQ(name, "The Lantern");
  EXPECT_TRUE(reporter.warningBoxes.empty());
  EXPECT_TRUE(reporter.errorBoxes.empty());
}

TEST_F(StoryNameRead, ValueRunsOverLinesAndResolvesEscapes) {
  EXPECT_TRUE(ReadName("[title]\n@name\nTwo\nlines\\nand \\\"more\\\"\n[Cave]\n"));
  EXPECT_EQ(name, "Two lines\nand more");  // a backslash drops the character after it
}

TEST_F(StoryNameRead, KeywordsOutsideTitleAreSkippedSilently) {
  EXPECT_TRUE(ReadName("@NAME early\n[Setup]\n@NAME setup\n@FOO\n  [Title]\n@NAME real\n"));
  EXPECT_EQ(name, "real");
  EXPECT_TRUE(reporter.warningBoxes.empty());
}

TEST_F(StoryNameRead, UnknownKeywordInTitleWarns) {
  EXPECT_TRUE(ReadName("[Title]\n@IMAGE x.bmp\n@NAME n\n"));
  ASSERT_EQ(reporter.warningBoxes.size(), 1u);
  EXPECT_EQ(reporter.warningBoxes[0], Window("Line:\t2\nSection:\tTitle\nError:\tWas not expecting @IMAGE."));
}

TEST_F(StoryNameRead, NoTitleSection) {
  EXPECT_FALSE(ReadName("[Setup]\n@NAME x\n[Cave]\n"));
  EXPECT_EQ(name, "");
  ASSERT_EQ(reporter.errorBoxes.size(), 1u);
  EXPECT_EQ(reporter.errorBoxes[0], Window("Section:\tTITLE\nError:\tThe required title section could not be found."));
}

TEST_F(StoryNameRead, TitleWithoutName) {
  EXPECT_FALSE(ReadName("\n[Title]\n@AUTHOR me\n@NAME\n[Cave]\n"));
  ASSERT_EQ(reporter.errorBoxes.size(), 1u);
  EXPECT_EQ(reporter.errorBoxes[0], Window("Line:\t2\nSection:\tTitle\nError:\tName definition is empty."));
}

TEST_F(StoryNameRead, TitleWithoutKeywords) {
  EXPECT_FALSE(ReadName("[Title]\nno keywords here\n[Cave]\n@NAME x\n"));
  ASSERT_EQ(reporter.errorBoxes.size(), 1u);
  EXPECT_EQ(reporter.errorBoxes[0],
            Window("Line:\t5\nSection:\t<NO SECTION>\nError:\tThe required story name could not be found."));
}

TEST_F(StoryNameRead, UnreadableFileFailsWithoutMessage) {
  EXPECT_FALSE(story.ReadStoryName(dir / "missing.txt", name));
  // A named pipe in its place is unreadable too: the story search never waits on one.
  testing_support::NamedPipe pipe(dir / "gamefile.txt");
  EXPECT_FALSE(story.ReadStoryName(dir / "gamefile.txt", name));
  EXPECT_FALSE(pipe.ReaderWaited());
  EXPECT_TRUE(reporter.errorBoxes.empty());
}

TEST_F(StoryNameRead, ReleasesTheStory) {
  Read("[Title]\n@NAME old\n[Cave]\n");
  ASSERT_EQ(story.Scenes().size(), 1u);
  EXPECT_TRUE(ReadName("[Title]\n@NAME new\n[Lake]\n"));
  EXPECT_TRUE(story.Scenes().empty());
  EXPECT_FALSE(story.IsValid());
  EXPECT_EQ(story.FindScene("Cave"), nullptr);
}

TEST_F(StoryNameRead, EveryCallStartsAfresh) {
  EXPECT_TRUE(ReadName("[Title]\n@NAME first\n"));
  EXPECT_FALSE(ReadName("[Title]\n@AUTHOR only\n"));
  EXPECT_EQ(name, "");
  EXPECT_EQ(reporter.errorBoxes.size(), 1u);
}

}  // namespace
