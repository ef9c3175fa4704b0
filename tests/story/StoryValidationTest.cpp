// Validation: every check, the order of the records, and the error list's sorting, merging and
// wording.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "story/SystemErrorReport.h"
#include "tests/story/StoryTestSupport.h"

namespace {

const char kTitle[] = "[Title]\n@NAME Story\n@AUTHOR A\n@ARTIST B\n";
const char kSetup[] = "[Setup]\n@FIRSTSCENE Start\n";

class StoryValidation : public StoryTest {
 protected:
  StoryValidation() { WriteMedia("start.bmp", BmpBytes(200, 112)); }

  // A story with a valid title and setup and a valid first scene, followed by more text.
  static std::string ValidStoryWith(const std::string& more) {
    return std::string(kTitle) + kSetup + "[Start]\n@IMAGE start.bmp\n" + more;
  }
};

TEST_F(StoryValidation, CleanStoryHasNoErrors) {
  EXPECT_TRUE(ReadAndValidate(ValidStoryWith("@OPTION1 Again\n@LINK1 start\n"), true));
  EXPECT_TRUE(story.Errors().empty());
  EXPECT_TRUE(story.IsValid());
}

TEST_F(StoryValidation, ValidationShowsNoticeAndListUnlessQuiet) {
  std::string path = WriteStory(ValidStoryWith("@LINK1 Nowhere\n"));
  EXPECT_FALSE(story.OpenStory(path, true, false, false));
  EXPECT_EQ(reporter.validatingBegun, 1);
  EXPECT_EQ(reporter.validatingEnded, 1);
  EXPECT_EQ(reporter.listsShown, 1);
  EXPECT_EQ(reporter.listedStory, "Story");
  std::vector<std::string> shown = reporter.listedLines;

  CRecordingReporter quietReporter;
  CGameFile quietStory;
  quietStory.SetReporter(&quietReporter);
  EXPECT_FALSE(quietStory.OpenStory(path, true, false, true));
  EXPECT_EQ(quietReporter.validatingBegun + quietReporter.validatingEnded + quietReporter.listsShown, 0);
  EXPECT_EQ(quietStory.StoryErrorLines(), shown);
}

TEST_F(StoryValidation, CleanStoryShowsNoticeButNoList) {
  EXPECT_TRUE(story.OpenStory(WriteStory(ValidStoryWith("")), true, false, false));
  EXPECT_EQ(reporter.validatingBegun, 1);
  EXPECT_EQ(reporter.listsShown, 0);
}

TEST_F(StoryValidation, WithoutValidationStoryIsValid) {
  EXPECT_TRUE(story.OpenStory(WriteStory("nothing at all"), false, false, false));
  EXPECT_TRUE(story.IsValid());
  EXPECT_EQ(reporter.validatingBegun, 0);
}

TEST_F(StoryValidation, MissingTitleSection) {
  EXPECT_FALSE(ReadAndValidate(std::string(kSetup) + "[Start]\n@IMAGE start.bmp\n"));
  ASSERT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1015, 1016, 1017, 1018}));
  EXPECT_EQ(story.Errors()[0].Name, "Title");
  EXPECT_EQ(story.Errors()[0].Line, 0u);
  EXPECT_EQ(story.Errors()[1].Name, "");
  EXPECT_EQ(story.Errors()[1].Line, 0u);
  EXPECT_EQ(story.StoryErrorLines(),
            (std::vector<std::string>{"Error! The required title section could not be found. (Scene \"Title\")",
                                      "Error! The required story name could not be found.",
                                      "Error! The required author's name could not be found.",
                                      "Error! The required artist's name could not be found."}));
}

TEST_F(StoryValidation, TitleWithNameOnly) {
  EXPECT_FALSE(ReadAndValidate(std::string("\n[Title]\n@NAME x\n") + kSetup + "[Start]\n@IMAGE start.bmp\n"));
  ASSERT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1017, 1018}));
  EXPECT_EQ(story.Errors()[0].Name, "Title");
  EXPECT_EQ(story.Errors()[0].Line, 2u);
  EXPECT_EQ(story.Errors()[1].Line, 2u);
}

TEST_F(StoryValidation, FirstScene) {
  EXPECT_TRUE(ReadAndValidate(std::string(kTitle) + "[Setup]\n@FIRSTSCENE START\n[Start]\n@IMAGE start.bmp\n"));

  EXPECT_FALSE(ReadAndValidate(std::string(kTitle) + "\n[setup]\n@FIRSTSCENE Nowhere\n[Start]\n@IMAGE start.bmp\n"));
  ASSERT_EQ(Codes(story.Errors()), std::vector<int32_t>{1000});
  EXPECT_EQ(story.Errors()[0].Name, "setup");
  EXPECT_EQ(story.Errors()[0].Line, 6u);

  EXPECT_FALSE(ReadAndValidate(std::string(kTitle) + "[Start]\n@IMAGE start.bmp\n"));
  ASSERT_EQ(Codes(story.Errors()), std::vector<int32_t>{1000});
  EXPECT_EQ(story.Errors()[0].Name, "");
  EXPECT_EQ(story.Errors()[0].Line, 0u);
  EXPECT_EQ(story.StoryErrorLines(),
            std::vector<std::string>{"Error! The specified scene in @FirstScene could not be found."});
}

TEST_F(StoryValidation, MediaFolders) {
  testing_support::MakeFolders(dir / "Pics");
  testing_support::MakeFolders(dir / "music");
  WriteMedia("Pics/start.bmp", BmpBytes(10, 10));
  EXPECT_TRUE(ReadAndValidate(std::string(kTitle) +
                              "[Setup]\n@FIRSTSCENE Start\n@IMAGEDIR pics\\\n@MUSICDIR MUSIC\n"
                              "[Start]\n@IMAGE START.BMP\n"));

  EXPECT_FALSE(ReadAndValidate(std::string(kTitle) +
                               "[Setup]\n@FIRSTSCENE Start\n@SOUNDDIR sounds\n@MUSICDIR tunes\n@IMAGEDIR art\n"
                               "[Start]\n@IMAGE start.bmp\n"));
  ASSERT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1012, 1013, 1014, 1009}));
  EXPECT_EQ(story.Errors()[0].Name, "Setup");
  EXPECT_EQ(story.Errors()[0].Line, 5u);
  EXPECT_EQ(story.Errors()[0].Path, "");
}

TEST_F(StoryValidation, FileIsNotFolder) {
  WriteMedia("pics", "a file");
  EXPECT_FALSE(ReadAndValidate(std::string(kTitle) + "[Setup]\n@FIRSTSCENE Start\n@IMAGEDIR pics\n"
                               "[Start]\n@IMAGE pics\n"));
  EXPECT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1012, 1009}));
}

TEST_F(StoryValidation, SceneWithoutPicture) {
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("[Empty]\n@ANIMSPEED FAST\n@ANIMLOOP 2\n[Bare]\n")));
  ASSERT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1006, 1008, 1008, 1006}));
  EXPECT_EQ(story.Errors()[0].Name, "Empty");
  EXPECT_EQ(story.Errors()[0].Line, 9u);
  EXPECT_EQ(story.Errors()[1].Line, 10u);
  EXPECT_EQ(story.Errors()[2].Line, 11u);
  EXPECT_EQ(story.Errors()[3].Name, "Bare");
  EXPECT_EQ(story.StoryErrorLines(),
            (std::vector<std::string>{
                "Error! Scene doesn't contain a required image or animation. (line 9, Scene \"Empty\")",
                "Error! Animation speed or looping specified without an animation definition. (line 10, Scene \"Empty\")"}));
}

TEST_F(StoryValidation, FrameLimitAndEveryFrameChecked) {
  std::string frames;
  for (int i = 0; i < 33; ++i) frames += (i ? ", f" : "f") + std::to_string(i) + ".bmp";
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("[Many]\n@ANIM " + frames + "\n")));
  std::vector<int32_t> expected{1021};
  expected.insert(expected.end(), 33, 1009);
  EXPECT_EQ(Codes(story.Errors()), expected);
  EXPECT_EQ(story.Errors().back().Path, story.ImagePath("f32.bmp"));
  EXPECT_EQ(story.Errors()[0].Line, 10u);

  // The IMAGE line of the first scene and 31 more frames make exactly 32.
  std::string more;
  for (int i = 0; i < 31; ++i) more += i ? ", start.bmp" : "start.bmp";
  EXPECT_TRUE(ReadAndValidate(ValidStoryWith("@ANIM " + more + "\n")));
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("@ANIM " + more + "\n@IMAGE start.bmp\n")));
  EXPECT_EQ(Codes(story.Errors()), std::vector<int32_t>{1021});
}

TEST_F(StoryValidation, PictureSizeAndFormat) {
  WriteMedia("big.bmp", BmpBytes(320, 200));
  WriteMedia("wide.png", PngBytes(201, 10));
  WriteMedia("small.png", PngBytes(200, 112));
  WriteMedia("upside.bmp", BmpBytes(20, -500));
  WriteMedia("text.bmp", "This is not a picture at all, just some text long enough for a header.");
  std::string scene = "[Pictures]\n@ANIM big.bmp, wide.png, small.png, upside.bmp, text.bmp\n";
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith(scene), true));
  EXPECT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1023, 1023, 1024}));
  EXPECT_EQ(story.Errors()[0].Path, story.ImagePath("big.bmp"));

  EXPECT_FALSE(ReadAndValidate(ValidStoryWith(scene), false));
  EXPECT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1024}));
  EXPECT_EQ(story.StoryErrorLines(),
            std::vector<std::string>{"Error! Unsupported image format (line 10, Scene \"Pictures\"): text.bmp"});
}

TEST_F(StoryValidation, FolderOrPipeNamedAsPicture) {
  testing_support::MakeFolders(dir / "folder.bmp");
  ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("[Odd]\n@ANIM folder.bmp, pipe.bmp\n")));
  EXPECT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1009, 1024}));
}

TEST_F(StoryValidation, SoundAndMusicFiles) {
  WriteMedia("Wind.WAV", "RIFF");
  WriteMedia("theme.mid", "MThd");
  EXPECT_TRUE(ReadAndValidate(ValidStoryWith("@SOUND wind.wav\n@MUSIC THEME.MID\n[Quiet]\n@IMAGE start.bmp\n@MUSIC stop\n")));

  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("@SOUND rain.wav\n@MUSIC song.mid\n")));
  ASSERT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1010, 1011}));
  EXPECT_EQ(story.Errors()[0].Path, story.SoundPath("rain.wav"));
  EXPECT_EQ(story.Errors()[0].Line, 9u);
  EXPECT_EQ(story.Errors()[1].Path, story.MusicPath("song.mid"));
  EXPECT_EQ(story.Errors()[1].Line, 10u);
}

TEST_F(StoryValidation, SoundDelayRange) {
  EXPECT_TRUE(ReadAndValidate(ValidStoryWith("@SOUNDDELAY RANDOM 10-12\n")));
  EXPECT_TRUE(ReadAndValidate(ValidStoryWith("@SOUNDDELAY 5\n")));
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("@SOUNDDELAY RANDOM 500-100\n")));
  ASSERT_EQ(Codes(story.Errors()), std::vector<int32_t>{1022});
  EXPECT_EQ(story.Errors()[0].Line, 9u);
}

TEST_F(StoryValidation, OptionsAndLinks) {
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("@OPTION2 Go\n@LINK3 Start\n@OPTION4\n@LINK4\n@OPTION1 Swim\n@LINK1 Lake\n")));
  const auto& errors = story.Errors();
  ASSERT_EQ(Codes(errors), (std::vector<int32_t>{1003, 1002, 1005, 1004, 1001}));
  EXPECT_EQ(errors[0].Line, 10u);  // LINK3
  EXPECT_EQ(errors[1].Line, 0u);   // OPTION2 has no link line
  EXPECT_EQ(errors[2].Line, 11u);  // OPTION4
  EXPECT_EQ(errors[3].Line, 12u);  // LINK4
  EXPECT_EQ(errors[4].Path, "Lake");
  EXPECT_EQ(errors[4].Line, 14u);
  EXPECT_EQ(story.StoryErrorLines(),
            (std::vector<std::string>{
                "Error! Option text was specified without a link. (Scene \"Start\")",
                "Error! A link was specified without any option text. (line 10, Scene \"Start\")",
                "Error! Link definition is empty. (line 12, Scene \"Start\")",
                "Error! Option definition is empty. (line 11, Scene \"Start\")",
                "Error! The specified scene in a link could not be found. (line 14, Scene \"Start\"): Lake"}));
}

TEST_F(StoryValidation, EmptyOptionWithLinkIsNotMissingOption) {
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("@OPTION1\n@LINK1 Start\n")));
  EXPECT_EQ(Codes(story.Errors()), std::vector<int32_t>{1005});
}

TEST_F(StoryValidation, ErrorsOfOneSceneComeInCheckOrder) {
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith(
      "[Bad]\n@LINK2 Nowhere\n@MUSIC none.mid\n@SOUNDDELAY random 90-10\n@SOUND none.wav\n@ANIMLOOP 1\n")));
  EXPECT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1006, 1008, 1010, 1022, 1011, 1003, 1001}));
}

TEST_F(StoryValidation, StoryWithoutScenes) {
  EXPECT_FALSE(ReadAndValidate(std::string(kTitle) + kSetup));
  ASSERT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1000, 1001}));
  EXPECT_EQ(story.Errors()[1].Line, 0u);
  EXPECT_EQ(story.Errors()[1].Name, "");
  EXPECT_EQ(story.Errors()[1].Path, "");
}

TEST_F(StoryValidation, LinksFindScenesOfThisStoryOnly) {
  ASSERT_TRUE(ReadAndValidate(ValidStoryWith("[Lake]\n@IMAGE start.bmp\n")));
  EXPECT_FALSE(ReadAndValidate(ValidStoryWith("@OPTION1 Swim\n@LINK1 lake\n")));
  EXPECT_EQ(Codes(story.Errors()), std::vector<int32_t>{1001});
}

TEST_F(StoryValidation, ListSortsByPathThenCodeAndMergesRepeats) {
  EXPECT_FALSE(ReadAndValidate(std::string("[Title]\n@NAME x\n") + kSetup +
                               "[Start]\n@IMAGE Zebra.bmp\n@LINK1 apple\n"
                               "[Other]\n@ANIM zebra.BMP, b.bmp\n@OPTION1 x\n@LINK1 Apple\n"
                               "[Third]\n"));
  EXPECT_EQ(story.StoryErrorLines(),
            (std::vector<std::string>{
                "Error! A link was specified without any option text. (line 7, Scene \"Start\")",
                "Error! Scene doesn't contain a required image or animation. (line 12, Scene \"Third\")",
                "Error! The required author's name could not be found. (line 1, Scene \"Title\")",
                "Error! The required artist's name could not be found. (line 1, Scene \"Title\")",
                "Error! Image not found (line 9, Scene \"Other\"): b.bmp",
                "Error! Image not found (line 6, Scene \"Start\"): Zebra.bmp",
                "Error! The specified scene in a link could not be found. (line 7, Scene \"Start\"): apple"}));
  // The records themselves are sorted too, repeats kept in the order found.
  EXPECT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1003, 1006, 1017, 1018, 1009, 1009, 1009, 1001, 1001}));
  EXPECT_EQ(story.Errors()[5].Name + story.Errors()[6].Name + story.Errors()[8].Name, "StartOtherOther");
}

TEST_F(StoryValidation, ListNamesStoryByNameOrPath) {
  std::string path = WriteStory("[Start]\n");
  story.OpenStory(path, true, false, false);
  EXPECT_EQ(reporter.listedStory, path);
}

TEST(StoryErrorWording, FormatsEveryPart) {
  EXPECT_EQ(CGameFile::FormatStoryError({1009, "Forest", "/s/pics/tree.bmp", 12}),
            "Error! Image not found (line 12, Scene \"Forest\"): tree.bmp");
  EXPECT_EQ(CGameFile::FormatStoryError({1004, "", "", 7}), "Error! Link definition is empty. (line 7, )");
  EXPECT_EQ(CGameFile::FormatStoryError({1002, "Cave", "", 0}),
            "Error! Option text was specified without a link. (Scene \"Cave\")");
  EXPECT_EQ(CGameFile::FormatStoryError({1001, "", "", 0}), "Error! The specified scene in a link could not be found.");
  EXPECT_EQ(CGameFile::FormatStoryError({1011, "", "C:\\music\\x.mid", 0}), "Error! Music not found: x.mid");
  EXPECT_EQ(CGameFile::FormatStoryError({1001, "", "Lake", 0}),
            "Error! The specified scene in a link could not be found.: Lake");
  EXPECT_EQ(CGameFile::FormatStoryError({1019, "", "", 0}), "Error! Error loading Scene error message.");
  EXPECT_EQ(CGameFile::FormatStoryError({1023, "", "", 0}),
            "Error! Image is too wide or too high; limit is 200 by 112 pixels");
}

TEST_F(StoryValidation, ImmediateWindowsNameTheirParts) {
  Read("[Title]\n@NAME x\n\n\n");
  story.ReportFileError(1015, "TITLE");
  story.ReportLineError(1016, 0, "");
  story.ReportLineError(1020, 7, "Title");
  story.ReportUnexpectedKeyword("IMAGE 100%s", "");
  const std::string game = "Game:\t" + story.Path() + "\n";
  ASSERT_EQ(reporter.errorBoxes.size(), 3u);
  EXPECT_EQ(reporter.errorBoxes[0], game + "Section:\tTITLE\nError:\tThe required title section could not be found.");
  EXPECT_EQ(reporter.errorBoxes[1],
            game + "Line:\t5\nSection:\t<NO SECTION>\nError:\tThe required story name could not be found.");
  EXPECT_EQ(reporter.errorBoxes[2], game + "Line:\t7\nSection:\tTitle\nError:\tName definition is empty.");
  ASSERT_EQ(reporter.warningBoxes.size(), 1u);
  EXPECT_EQ(reporter.warningBoxes[0], game + "Line:\t5\nSection:\t\nError:\tWas not expecting @IMAGE 100%s.");
}

TEST(SystemErrorReport, NamesPathOperationAndSystemText) {
  EXPECT_EQ(FormatSystemError("Finding", "/home/x/Stories", ENOENT),
            "Path: /home/x/Stories\nOperation: Finding\nError (2): No such file or directory");
  EXPECT_EQ(FormatSystemError("Searching in", "/s", 99999),
            "Path: /s\nOperation: Searching in\nError (99999): Unknown error code: 99999");
  errno = EACCES;
  CRecordingReporter reporter;
  ReportSystemError(&reporter, "Finding", "/root/x");
  ASSERT_EQ(reporter.errorBoxes.size(), 1u);
  EXPECT_EQ(reporter.errorBoxes[0], "Path: /root/x\nOperation: Finding\nError (13): Permission denied");
  ReportSystemError(nullptr, "Finding", "/root/x", EACCES);  // nobody to show it to: nothing happens
}

}  // namespace
