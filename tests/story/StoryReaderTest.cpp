// The reader of gamefile.txt: characters, comments, lines, sections, keywords and values.
#include <gtest/gtest.h>

#include "tests/story/StoryTestSupport.h"

namespace {

class StoryReader : public StoryTest {
 protected:
  // Every field and line of the story, for comparing two reads.
  std::string Describe() const {
    std::string text;
    auto add = [&text](const char* name, const auto& value) {
      text += std::string(name) + "=" + std::to_string(value.Line) + ":" + value.Text + "|";
    };
    const TitleSection& t = story.Title();
    add("title", t.Header), add("name", t.Name), add("author", t.Author), add("artist", t.Artist);
    const SetupSection& s = story.Setup();
    add("setup", s.Header), add("image", s.ImageDir), add("first", s.FirstScene);
    for (const auto& scene : story.Scenes()) {
      add("scene", scene->Header), add("desc", scene->Description), add("option1", scene->Option1);
      add("link1", scene->Link1), add("music", scene->Music);
      text += "frames=" + std::to_string(scene->FramesLine);
      for (const std::string& frame : scene->Frames) text += ":" + frame;
      text += "|";
    }
    return text;
  }
};

const char kSampleStory[] =
    "// The sample\n"
    "[Title]\n"
    "@NAME The Sample\n"
    "@AUTHOR A. Writer // who wrote it\n"
    "@ARTIST B. Painter\n"
    "\n"
    "[Setup]\n"
    "@IMAGEDIR pics\\\n"
    "@FIRSTSCENE Shore\n"
    "[Shore]\n"
    "@IMAGE shore.bmp\n"
    "@DESCRIPTION The tide is out.\n"
    "  A lantern glows.\n"
    "\n"
    "@OPTION1 Walk\n"
    "@LINK1 Tower\n"
    "[Tower]\n"
    "@ANIM a.bmp, b.bmp\n"
    "@MUSIC theme.mid\n";

std::string WithCrLf(const std::string& text) {
  std::string converted;
  for (char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  return converted;
}

TEST_F(StoryReader, ReadsSampleStoryWithLineNumbers) {
  Read(kSampleStory);
  EXPECT_EQ(story.Title().Header.Line, 2u);
  EXPECT_EQ(story.Title().Header.Text, "Title");
  EXPECT_EQ(story.Title().Name.Text, "The Sample");
  EXPECT_EQ(story.Title().Name.Line, 3u);
  EXPECT_EQ(story.Title().Author.Text, "A. Writer");
  EXPECT_EQ(story.Setup().Header.Line, 7u);
  EXPECT_EQ(story.Setup().ImageDir.Text, "pics\\");
  ASSERT_EQ(story.Scenes().size(), 2u);
  EXPECT_EQ(Scene(0).Header.Line, 10u);
  EXPECT_EQ(Scene(0).FramesLine, 11u);
  EXPECT_EQ(Scene(0).Description.Text, "The tide is out.   A lantern glows.");
  EXPECT_EQ(Scene(0).Description.Line, 12u);
  EXPECT_EQ(Scene(0).Option1.Line, 15u);
  EXPECT_EQ(Scene(0).Link1.Text, "Tower");
  EXPECT_EQ(Scene(1).Header.Line, 17u);
  EXPECT_EQ(Scene(1).Frames, (std::vector<std::string>{"a.bmp", "b.bmp"}));
  EXPECT_EQ(Scene(1).Music.Line, 19u);
  EXPECT_TRUE(reporter.warningBoxes.empty());
}

TEST_F(StoryReader, WindowsAndUnixLineEndsGiveTheSameStory) {
  Read(kSampleStory);
  std::string unix = Describe();
  Read(WithCrLf(kSampleStory));
  EXPECT_EQ(Describe(), unix);
}

TEST_F(StoryReader, BareCarriageReturnsMakeOneLongLine) {
  Read("[Title]\r@NAME x\r@AUTHOR y\r");
  EXPECT_EQ(story.Title().Name.Text, "x\r@AUTHOR y");
  EXPECT_EQ(story.Title().Name.Line, 1u);
  EXPECT_TRUE(story.Title().Author.Text.empty());
}

TEST_F(StoryReader, CarriageReturnBeforeOtherCharacterStaysInValue) {
  Read("[S]\n@DESCRIPTION a\rb\r\nc\n");
  EXPECT_EQ(Scene(0).Description.Text, "a\rb c");
}

TEST_F(StoryReader, CommentsEndValuesAndKeepLineNumbers) {
  Read("// note\n"
       "[Cave]\n"
       "// another note\n"
       "@DESCRIPTION Room 1//2\n"
       "@OPTION1 http://example.com/x\n"
       "@LINK1 a/b\n"
       "@MUSIC x///y\n");
  EXPECT_EQ(Scene(0).Header.Line, 2u);
  EXPECT_EQ(Scene(0).Description.Text, "Room 1");
  EXPECT_EQ(Scene(0).Description.Line, 4u);
  EXPECT_EQ(Scene(0).Option1.Text, "http:");
  EXPECT_EQ(Scene(0).Link1.Text, "a/b");
  EXPECT_EQ(Scene(0).Music.Text, "x");
  EXPECT_EQ(Scene(0).Music.Line, 7u);
}

TEST_F(StoryReader, CommentLineInsideValueActsAsBlankLine) {
  Read("[S]\n@DESCRIPTION one\n// note\ntwo\n@OPTION1 x\n");
  EXPECT_EQ(Scene(0).Description.Text, "one  two");
  EXPECT_EQ(Scene(0).Option1.Line, 5u);
}

TEST_F(StoryReader, CommentsWorkAfterCarriageReturnAndAtEndOfFile) {
  Read("[S]\n@DESCRIPTION a\r//x\n@OPTION1 b // last");
  EXPECT_EQ(Scene(0).Description.Text, "a");
  EXPECT_EQ(Scene(0).Option1.Text, "b");
  EXPECT_EQ(Scene(0).Option1.Line, 3u);
}

TEST_F(StoryReader, SlashBeforeLineEndIsOrdinary) {
  Read("[S]\r\n@DESCRIPTION a/\r\nb/\n@OPTION1 x\n");
  EXPECT_EQ(Scene(0).Description.Text, "a/ b/");
  EXPECT_EQ(Scene(0).Option1.Line, 4u);
}

TEST_F(StoryReader, NulBytesAreSkipped) {
  const char text[] = "[Ti\0tle]\n@NA\0ME x\0y\n\0@AUTHOR z\n";
  Read(std::string(text, sizeof text - 1));
  EXPECT_EQ(story.Title().Header.Text, "Title");
  EXPECT_EQ(story.Title().Name.Text, "xy");
  EXPECT_EQ(story.Title().Author.Text, "z");
  EXPECT_EQ(story.Title().Author.Line, 3u);
}

TEST_F(StoryReader, HeaderMayCarryKeywordOnSameLine) {
  Read("[Cave] @IMAGE cave.bmp\n[Lake]\t@IMAGE lake.bmp\n[Empty]\n  [Deep]  [Deeper] @IMAGE deep.bmp\n   [Part of the value]\n");
  ASSERT_EQ(story.Scenes().size(), 5u);
  EXPECT_EQ(Scene(0).Frames, std::vector<std::string>{"cave.bmp"});
  EXPECT_EQ(Scene(0).FramesLine, 1u);
  EXPECT_EQ(Scene(1).Header.Line, 2u);
  EXPECT_EQ(Scene(1).Frames, std::vector<std::string>{"lake.bmp"});
  EXPECT_EQ(Scene(3).Header.Text, "Deep");
  EXPECT_EQ(Scene(4).Header.Text, "Deeper");
  EXPECT_EQ(Scene(4).Header.Line, 4u);
  EXPECT_EQ(Scene(4).Frames, std::vector<std::string>{"deep.bmp    [Part of the value]"});
}

TEST_F(StoryReader, IndentedKeywordStartsLineButContinuesValue) {
  Read("[Cave]\n   @IMAGE cave.bmp\n@DESCRIPTION Dark.\n   @OPTION1 Leave\n");
  EXPECT_EQ(Scene(0).Frames, std::vector<std::string>{"cave.bmp"});
  EXPECT_EQ(Scene(0).Description.Text, "Dark.    @OPTION1 Leave");
  EXPECT_EQ(Scene(0).Option1.Line, 0u);
}

TEST_F(StoryReader, ValueMayBeginOnLaterLine) {
  Read("[Cave]\n@DESCRIPTION\nIt is dark.\n@OPTION1\n\n   Leave\n");
  EXPECT_EQ(Scene(0).Description.Text, "It is dark.");
  EXPECT_EQ(Scene(0).Description.Line, 3u);
  EXPECT_EQ(Scene(0).Option1.Text, "Leave");
  EXPECT_EQ(Scene(0).Option1.Line, 6u);
}

TEST_F(StoryReader, EmptyValueBeforeNextKeywordTakesLineBeforeIt) {
  Read("[Cave]\n@LINK1\n@OPTION2 Go on\n@LINK3\n\n\n[Lake]\n@LINK4   \n@FOO bar\n");
  EXPECT_TRUE(Scene(0).Link1.Text.empty());
  EXPECT_EQ(Scene(0).Link1.Line, 2u);
  EXPECT_EQ(Scene(0).Option2.Text, "Go on");
  EXPECT_EQ(Scene(0).Option2.Line, 3u);
  EXPECT_EQ(Scene(0).Link3.Line, 6u);
  ASSERT_EQ(story.Scenes().size(), 2u);
  EXPECT_EQ(Scene(1).Header.Line, 7u);
  EXPECT_EQ(Scene(1).Link4.Line, 8u);
  ASSERT_EQ(story.UnexpectedKeywords().size(), 1u);
  EXPECT_EQ(story.UnexpectedKeywords()[0].Line, 9u);
}

TEST_F(StoryReader, EqualsSignNeedsWhiteSpaceBeforeIt) {
  Read("[Title]\n@NAME = My Story\n@AUTHOR=Me\n@ARTIST\n=\nYou\n");
  EXPECT_EQ(story.Title().Name.Text, "My Story");
  EXPECT_TRUE(story.Title().Author.Text.empty());
  EXPECT_EQ(story.Title().Artist.Text, "You");
  EXPECT_EQ(story.Title().Artist.Line, 6u);
  ASSERT_EQ(story.UnexpectedKeywords().size(), 1u);
  EXPECT_EQ(story.UnexpectedKeywords()[0].Keyword, "AUTHOR=Me");
  ASSERT_EQ(reporter.warningBoxes.size(), 1u);
  EXPECT_EQ(reporter.warningBoxes[0], "Game:\t" + story.Path() +
                                          "\nLine:\t3\nSection:\tTitle\nError:\tWas not expecting @AUTHOR=Me.");
}

TEST_F(StoryReader, LineFeedsInValueBecomeSpaces) {
  Read("[S]\n@DESCRIPTION One\n\ntwo.\n@OPTION1 a \nb\n@OPTION2 Line one\\nLine two\n");
  EXPECT_EQ(Scene(0).Description.Text, "One  two.");
  EXPECT_EQ(Scene(0).Option1.Text, "a b");
  EXPECT_EQ(Scene(0).Option2.Text, "Line one\nLine two");
}

TEST_F(StoryReader, TrailingWhiteSpaceIsRemoved) {
  Read("[S]\n@DESCRIPTION Text \t \n\n\n@OPTION1 x\x0b\x0c\n");
  EXPECT_EQ(Scene(0).Description.Text, "Text");
  EXPECT_EQ(Scene(0).Option1.Text, "x");
}

TEST_F(StoryReader, EscapesResolveAfterTrimming) {
  Read("[S]\n"
       "@DESCRIPTION a\\\\nb\n"
       "@OPTION1 C:\\Stories\\\n"
       "@OPTION2 tab\\tstop \\\\\n"
       "@OPTION3 end\\n\n"
       "@OPTION4 \\\\\\\\x\n");
  EXPECT_EQ(Scene(0).Description.Text, "a\\\nb");
  EXPECT_EQ(Scene(0).Option1.Text, "C:tories\\");
  EXPECT_EQ(Scene(0).Option2.Text, "tabstop \\\\");
  EXPECT_EQ(Scene(0).Option3.Text, "end\n");
  EXPECT_EQ(Scene(0).Option4.Text, "\\\\\\");
}

TEST_F(StoryReader, KeywordsIgnoreCase) {
  Read("[title]\n@name Small\n[SeTuP]\n@firstScene a\n[a]\n@Image x.bmp\n");
  EXPECT_EQ(story.Title().Name.Text, "Small");
  EXPECT_EQ(story.Title().Header.Text, "title");
  EXPECT_EQ(story.Setup().FirstScene.Text, "a");
  EXPECT_EQ(Scene(0).Frames.size(), 1u);
  EXPECT_TRUE(reporter.warningBoxes.empty());
}

TEST_F(StoryReader, RepeatedSectionsAndKeywords) {
  Read("[Cave]\n@DESCRIPTION first\n@DESCRIPTION second\n[Title]\n@NAME a\n[Cave]\n[TITLE]\n@AUTHOR b\n@NAME c\n");
  ASSERT_EQ(story.Scenes().size(), 2u);
  EXPECT_EQ(Scene(0).Description.Text, "second");
  EXPECT_EQ(Scene(0).Description.Line, 3u);
  EXPECT_EQ(Scene(1).Header.Text, "Cave");
  EXPECT_EQ(Scene(1).Header.Line, 6u);
  EXPECT_EQ(story.Title().Header.Text, "Title");
  EXPECT_EQ(story.Title().Header.Line, 4u);
  EXPECT_EQ(story.Title().Name.Text, "c");
  EXPECT_EQ(story.Title().Author.Text, "b");
}

TEST_F(StoryReader, TitleHeaderIsFilledByFirstKeywordOnly) {
  Read("[Title]\n[Setup]\n[Cave]\n");
  EXPECT_TRUE(story.Title().Header.Text.empty());
  EXPECT_EQ(story.Title().Header.Line, 0u);
  EXPECT_TRUE(story.Setup().Header.Text.empty());

  Read("[Title]\n@IMAGE x.bmp\n[Setup]\n@MUSICDIR\n");
  EXPECT_EQ(story.Title().Header.Text, "Title");
  EXPECT_EQ(story.Title().Header.Line, 1u);
  EXPECT_TRUE(story.Setup().Header.Text.empty());  // a keyword at the end of the file is ignored
}

TEST_F(StoryReader, SectionNamesAreKeptAsWritten) {
  Read("[ Cave ]\n[Long\nname]\n[Cut // comment\n]\n[Open to the end\n@IMAGE x");
  ASSERT_EQ(story.Scenes().size(), 4u);
  EXPECT_EQ(Scene(0).Header.Text, " Cave ");
  EXPECT_EQ(Scene(1).Header.Text, "Long\nname");
  EXPECT_EQ(Scene(1).Header.Line, 2u);
  EXPECT_EQ(Scene(2).Header.Text, "Cut \n");
  EXPECT_EQ(Scene(2).Header.Line, 4u);
  EXPECT_EQ(Scene(3).Header.Text, "Open to the end\n@IMAGE x");
  EXPECT_TRUE(Scene(3).Frames.empty());
}

TEST_F(StoryReader, FreeTextIsIgnored) {
  Read("Some words [not a header] @NOTAKEYWORD\n[Cave] text after\n@IMAGE a.bmp\nmore words\n");
  ASSERT_EQ(story.Scenes().size(), 1u);
  EXPECT_EQ(Scene(0).Frames, std::vector<std::string>{"a.bmp more words"});
  EXPECT_TRUE(reporter.warningBoxes.empty());
}

TEST_F(StoryReader, UnknownKeywordsWarnWithTheirSection) {
  Read("@NAME early\n\n[Title]\n@IMAGE x.bmp\n@NAME Story\n[Cave]\n@NAME again\n[Setup]\n@IMAGE y\n");
  const auto& warnings = story.UnexpectedKeywords();
  ASSERT_EQ(warnings.size(), 4u);
  EXPECT_EQ(warnings[0].Keyword, "NAME");
  EXPECT_EQ(warnings[0].Section, "");
  EXPECT_EQ(warnings[0].Line, 1u);
  EXPECT_EQ(warnings[1].Keyword, "IMAGE");
  EXPECT_EQ(warnings[1].Section, "Title");
  EXPECT_EQ(warnings[1].Line, 4u);
  EXPECT_EQ(warnings[2].Section, "Cave");
  EXPECT_EQ(warnings[3].Section, "Setup");
  EXPECT_EQ(story.Title().Name.Text, "Story");
  ASSERT_EQ(reporter.warningBoxes.size(), 4u);
  EXPECT_EQ(reporter.warningBoxes[0],
            "Game:\t" + story.Path() + "\nLine:\t1\nSection:\t\nError:\tWas not expecting @NAME.");
}

TEST_F(StoryReader, UnknownKeywordValueIsFreeText) {
  Read("[Title]\n@FOO\n  @NAME hidden\n@BAR [Cave]\n@NAME shown\n@BAZ\n@AUTHOR me\n");
  EXPECT_EQ(story.Title().Name.Text, "shown");
  EXPECT_EQ(story.Title().Name.Line, 5u);
  EXPECT_EQ(story.Title().Author.Text, "me");
  EXPECT_TRUE(story.Scenes().empty());
  ASSERT_EQ(story.UnexpectedKeywords().size(), 3u);
  EXPECT_EQ(story.UnexpectedKeywords()[0].Line, 3u);
  EXPECT_EQ(story.UnexpectedKeywords()[2].Line, 6u);
}

TEST_F(StoryReader, KeywordAtEndOfFileIsIgnoredSilently) {
  for (const char* text : {"[Cave]\n@DESCRIPTION", "[Cave]\n@DESCRIPTION   \n\n", "[Cave]\n@DESCRIPTION =  ",
                           "[Cave]\n@FOO\n"}) {
    Read(text);
    ASSERT_EQ(story.Scenes().size(), 1u) << text;
    EXPECT_EQ(Scene(0).Description.Line, 0u) << text;
    EXPECT_TRUE(story.UnexpectedKeywords().empty()) << text;
  }
  EXPECT_TRUE(reporter.warningBoxes.empty());
}

TEST_F(StoryReader, ByteOrderMarkHidesFirstHeader) {
  Read("\xEF\xBB\xBF[Title]\n@NAME x\n[Cave]\n");
  EXPECT_TRUE(story.Title().Name.Text.empty());
  ASSERT_EQ(story.UnexpectedKeywords().size(), 1u);
  EXPECT_EQ(story.UnexpectedKeywords()[0].Section, "");
  ASSERT_EQ(story.Scenes().size(), 1u);
}

TEST_F(StoryReader, FramesAreSplitAtCommas) {
  Read("[A]\n@ANIM a.bmp , b.bmp\n"
       "[B]\n@ANIM a.bmp,,b.bmp\n"
       "[C]\n@ANIM a.bmp,\n"
       "[D]\n@ANIM\n@DESCRIPTION x\n"
       "[E]\n@IMAGE\n@IMAGE   two.bmp\n@ANIM  , x.bmp\n");
  EXPECT_EQ(Scene(0).Frames, (std::vector<std::string>{"a.bmp", "b.bmp"}));
  EXPECT_EQ(Scene(1).Frames, (std::vector<std::string>{"a.bmp", "", "b.bmp"}));
  EXPECT_EQ(Scene(2).Frames, (std::vector<std::string>{"a.bmp"}));
  EXPECT_TRUE(Scene(3).Frames.empty());
  EXPECT_EQ(Scene(3).FramesLine, 8u);
  EXPECT_EQ(Scene(4).Frames, (std::vector<std::string>{"", "two.bmp", "", "x.bmp"}));
  EXPECT_EQ(Scene(4).FramesLine, 13u);
}

TEST_F(StoryReader, ValueLargerThanAStorageBlockKeepsItsNeighbours) {
  const std::string huge(5u << 20, 'd');
  Read("[A]\n@OPTION1 before\n@DESCRIPTION " + huge + "\n@OPTION2 after\n[B]\n@DESCRIPTION small\n");
  EXPECT_EQ(Scene(0).Option1.Text, "before");
  EXPECT_EQ(Scene(0).Description.Text, huge);
  EXPECT_EQ(Scene(0).Option2.Text, "after");
  EXPECT_EQ(Scene(1).Description.Text, "small");
  EXPECT_EQ(story.FindScene("b"), &Scene(1));
}

TEST_F(StoryReader, NewSceneStartsWithMusicLoopForever) {
  Read("[Cave]\n@MUSICLOOP 2\n[Lake]\n");
  EXPECT_EQ(Scene(0).MusicLoop.Text, "2");
  EXPECT_EQ(Scene(1).MusicLoop.Text, "FOREVER");
  EXPECT_EQ(Scene(1).MusicLoop.Line, 0u);
}

TEST_F(StoryReader, ReadingAgainReplacesEverything) {
  Read(kSampleStory);
  ASSERT_FALSE(story.Scenes().empty());
  Read("[Title]\n@AUTHOR other\n");
  EXPECT_TRUE(story.Title().Name.Text.empty());
  EXPECT_TRUE(story.Setup().ImageDir.Text.empty());
  EXPECT_TRUE(story.Scenes().empty());
  EXPECT_EQ(story.FindScene("Shore"), nullptr);
}

TEST_F(StoryReader, PathAndFolderComeFromTheGivenPath) {
  Read("[Title]\n@NAME x\n");
  EXPECT_EQ(story.Path(), dir / "gamefile.txt");
  EXPECT_EQ(story.Folder(), dir.Path() + "/");
}

TEST_F(StoryReader, MissingFileLeavesEmptyStoryAndReportsSuccess) {
  Read(kSampleStory);
  ASSERT_TRUE(story.HasStory());
  EXPECT_TRUE(story.OpenStory(dir / "missing.txt", true, false, false));
  EXPECT_TRUE(story.Scenes().empty());
  EXPECT_FALSE(story.HasStory());  // the earlier story's title must not linger
  EXPECT_EQ(story.GetFirstScene(), nullptr);
  EXPECT_TRUE(story.IsValid());  // left as the earlier read set it
  EXPECT_TRUE(reporter.errorBoxes.empty());
  EXPECT_EQ(reporter.validatingBegun, 0);
}

TEST_F(StoryReader, ParseStoryReportsFileThatCannotBeOpened) {
  EXPECT_FALSE(story.ParseStory(dir / "missing.txt"));
  EXPECT_TRUE(story.ParseStory(WriteStory("[Cave]\n")));
  EXPECT_EQ(story.Scenes().size(), 1u);
  EXPECT_TRUE(story.ParseStory(WriteStory("[Lake]\n")));
  ASSERT_EQ(story.Scenes().size(), 1u);
  EXPECT_EQ(story.FindScene("Cave"), nullptr);
}

TEST_F(StoryReader, FileNameIsFoundIgnoringCase) {
  WriteStory("[Cave]\n");
  EXPECT_TRUE(story.OpenStory(dir / "GameFile.TXT", false, false, true));
  EXPECT_EQ(story.Scenes().size(), 1u);
}

TEST_F(StoryReader, ReleaseDropsScenesAndValidity) {
  Read(kSampleStory);
  ASSERT_TRUE(story.IsValid());
  story.ReleaseStory();
  EXPECT_TRUE(story.Scenes().empty());
  EXPECT_FALSE(story.IsValid());
  EXPECT_EQ(story.FindScene("Shore"), nullptr);
}

TEST_F(StoryReader, LinesStayRightAcrossBufferRefills) {
  // Values and comments that straddle the 32,767-byte blocks of the reader.
  std::string text = "[Cave]\n";
  std::string filler(40000, 'x');
  text += "@DESCRIPTION " + filler + "\n// " + filler + "\r\n@OPTION1 " + filler + "\r\n@LINK1 end\n";
  Read(text);
  EXPECT_EQ(Scene(0).Description.Text, filler);
  EXPECT_EQ(Scene(0).Option1.Line, 4u);
  EXPECT_EQ(Scene(0).Option1.Text, filler);
  EXPECT_EQ(Scene(0).Link1.Line, 5u);
}

}  // namespace
