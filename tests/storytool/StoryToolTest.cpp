// fablewick-story run as authors run it: arguments, exit statuses, and the exact output of
// dump, validate, name and unused.
#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "tests/storytool/ToolRunner.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TestFiles.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// A BMP file header and info header for a picture of the given size (no pixels needed).
std::string BmpHeader(int width, int height) {
  std::string bytes(54, '\0');
  bytes[0] = 'B', bytes[1] = 'M', bytes[14] = 40;
  for (int i = 0; i < 4; ++i) {
    bytes[18 + i] = static_cast<char>((width >> (8 * i)) & 0xFF);
    bytes[22 + i] = static_cast<char>((height >> (8 * i)) & 0xFF);
  }
  return bytes;
}

TEST(StoryTool, RejectsBadUsage) {
  ToolRun none = RunStoryTool({});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("usage: fablewick-story COMMAND"), std::string::npos);
  EXPECT_NE(none.err.find("  validate [--image-sizes] [--raw] [--quiet] FILE\n"), std::string::npos);
  EXPECT_EQ(RunStoryTool({"frobnicate", "x"}).status, 2);

  ToolRun missingFile = RunStoryTool({"validate", "--raw"});
  EXPECT_EQ(missingFile.status, 2);
  EXPECT_EQ(missingFile.err, "usage: fablewick-story validate [--image-sizes] [--raw] [--quiet] FILE\n");
  EXPECT_EQ(RunStoryTool({"name", "a", "b"}).status, 2);
  EXPECT_EQ(RunStoryTool({"unused", "--raw", "a"}).status, 2);
  EXPECT_EQ(RunStoryTool({"dump", "--trash", "a"}).status, 2);
  EXPECT_TRUE(missingFile.out.empty());
}

TEST(StoryTool, ReportsUnreadableFile) {
  TempDir dir;
  for (const char* command : {"dump", "validate", "name", "unused"}) {
    ToolRun run = RunStoryTool({command, dir / "nothing.txt"});
    EXPECT_EQ(run.status, 2) << command;
    EXPECT_EQ(run.err, "fablewick-story: cannot read " + dir / "nothing.txt" + ": No such file or directory\n");
    EXPECT_TRUE(run.out.empty());
  }
  // A folder stands for its gamefile.txt.
  ToolRun folder = RunStoryTool({"validate", dir.Path()});
  EXPECT_EQ(folder.status, 2);
  EXPECT_EQ(folder.err, "fablewick-story: cannot read " + dir / "gamefile.txt" + ": No such file or directory\n");
  testing_support::MakeFolders(dir / "x/gamefile.txt");
  EXPECT_EQ(RunStoryTool({"dump", dir / "x"}).status, 2);
  // A named pipe is no story file, and is not waited on.
  testing_support::MakeFolders(dir / "pipe");
  testing_support::NamedPipe pipe(dir / "pipe/gamefile.txt");
  ToolRun piped = RunStoryTool({"name", dir / "pipe"});
  EXPECT_EQ(piped.status, 2);
  EXPECT_EQ(piped.err, "fablewick-story: cannot read " + dir / "pipe/gamefile.txt" + ": Operation not supported\n");
  EXPECT_FALSE(pipe.ReaderWaited());
}

TEST(StoryTool, DumpShowsTheStoryAsRead) {
  TempDir dir;
  WriteFile(dir / "gamefile.txt",
            "[Title]\n@NAME Caf\x80 \"Q\"\n@FOO x\n[Setup]\n@IMAGEDIR pics\\\n@FIRSTSCENE nowhere\n"
            "[Cave]\n@ANIM a.bmp, B.bmp\n@DESCRIPTION One\\ntwo\tthree\n@SOUNDDELAY RANDOM 10-2000\n"
            "@MUSIC song.mid\n");
  const char* expected = R"({
  "path": "DIR/gamefile.txt",
  "folder": "DIR/",
  "title": {
    "Header": {"line": 1, "text": "Title"},
    "Name": {"line": 2, "text": "Caf\u0080 \"Q\""},
    "Author": {"line": 0, "text": ""},
    "Artist": {"line": 0, "text": ""},
    "Date": {"line": 0, "text": ""},
    "Version": {"line": 0, "text": ""},
    "Company": {"line": 0, "text": ""},
    "Contact": {"line": 0, "text": ""},
    "Copyright": {"line": 0, "text": ""}
  },
  "setup": {
    "Header": {"line": 4, "text": "Setup"},
    "MusicDir": {"line": 0, "text": ""},
    "SoundDir": {"line": 0, "text": ""},
    "ImageDir": {"line": 5, "text": "pics\\"},
    "FirstScene": {"line": 6, "text": "nowhere"}
  },
  "scenes": [
    {
      "Header": {"line": 7, "text": "Cave"},
      "Sound": {"line": 0, "text": ""},
      "SoundLoop": {"line": 0, "text": ""},
      "SoundDelay": {"line": 10, "text": "RANDOM 10-2000"},
      "Music": {"line": 11, "text": "song.mid"},
      "MusicLoop": {"line": 0, "text": "FOREVER"},
      "AnimLoop": {"line": 0, "text": ""},
      "AnimSpeed": {"line": 0, "text": ""},
      "Description": {"line": 9, "text": "One\ntwo\tthree"},
      "Option1": {"line": 0, "text": ""},
      "Link1": {"line": 0, "text": ""},
      "Option2": {"line": 0, "text": ""},
      "Link2": {"line": 0, "text": ""},
      "Option3": {"line": 0, "text": ""},
      "Link3": {"line": 0, "text": ""},
      "Option4": {"line": 0, "text": ""},
      "Link4": {"line": 0, "text": ""},
      "FramesLine": 8,
      "Frames": ["a.bmp", "B.bmp"],
      "computed": {
        "AnimInterval": 166,
        "AnimLoops": 0,
        "MusicLoops": -1,
        "SoundLoops": 0,
        "SoundDelayMin": 16,
        "SoundDelayMax": 2000,
        "ImagePaths": ["DIR/pics/a.bmp", "DIR/pics/B.bmp"],
        "SoundPath": "DIR/",
        "MusicPath": "DIR/song.mid"
      }
    }
  ],
  "firstScene": null,
  "warnings": [
    {"keyword": "FOO", "line": 3, "section": "Title"}
  ]
}
)";
  std::string json = Replace(Replace(expected, "DIR", dir.Path()), "\\u0080", "\xC2\x80");
  ToolRun run = RunStoryTool({"dump", dir.Path()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, json);
  EXPECT_EQ(run.err, "");
}

TEST(StoryTool, DumpOfEmptyFile) {
  TempDir dir;
  WriteFile(dir / "story.txt", "[Only]\n@IMAGE a\n[Setup]\n@FIRSTSCENE only\n");
  ToolRun run = RunStoryTool({"dump", dir / "story.txt"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\n  \"firstScene\": 0,\n  \"warnings\": []\n}\n"), std::string::npos);
  WriteFile(dir / "empty.txt", "");
  run = RunStoryTool({"dump", dir / "empty.txt"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\n  \"scenes\": [],\n  \"firstScene\": null,\n"), std::string::npos);
}

class StoryToolValidate : public ::testing::Test {
 protected:
  StoryToolValidate() {
    WriteFile(dir / "gamefile.txt",
              "[Title]\n@NAME N\n@AUTHOR A\n@ARTIST B\n@IMAGE x\n[Setup]\n@FIRSTSCENE Caf\xe9\n"
              "[Caf\xe9]\n@IMAGE pic.bmp\n@LINK1 \x80uro\n");
    WriteFile(dir / "pic.bmp", BmpHeader(300, 10));
  }
  TempDir dir;
  const std::string kLinkWithoutOption =
      "Error! A link was specified without any option text. (line 10, Scene \"Caf\xC3\xA9\")\n";
  const std::string kMissingScene =
      "Error! The specified scene in a link could not be found. (line 10, Scene \"Caf\xC3\xA9\"): \xE2\x82\xACuro\n";
};

TEST_F(StoryToolValidate, PrintsListedLinesAndWarnings) {
  ToolRun run = RunStoryTool({"validate", dir.Path()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, kLinkWithoutOption + kMissingScene);
  EXPECT_EQ(run.err, "Game:\t" + dir / "gamefile.txt" + "\nLine:\t5\nSection:\tTitle\nError:\tWas not expecting @IMAGE.\n");
}

TEST_F(StoryToolValidate, ChecksPictureSizesOnRequest) {
  ToolRun run = RunStoryTool({"validate", "--image-sizes", dir / "gamefile.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, kLinkWithoutOption +
                         "Error! Image is too wide or too high; limit is 200 by 112 pixels (line 9, Scene \"Caf\xC3\xA9\"): pic.bmp\n" +
                         kMissingScene);
}

TEST_F(StoryToolValidate, RawPrintsRecordsInOrderFound) {
  ToolRun run = RunStoryTool({"validate", "--raw", "--image-sizes", dir.Path()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "{\"code\": 1023, \"name\": \"Caf\xC3\xA9\", \"path\": \"" + dir / "pic.bmp" +
                         "\", \"line\": 9}\n"
                         "{\"code\": 1003, \"name\": \"Caf\xC3\xA9\", \"path\": \"\", \"line\": 10}\n"
                         "{\"code\": 1001, \"name\": \"Caf\xC3\xA9\", \"path\": \"\xC2\x80uro\", \"line\": 10}\n");
  EXPECT_FALSE(run.err.empty());
}

TEST_F(StoryToolValidate, CleanStorySaysOk) {
  WriteFile(dir / "gamefile.txt",
            "[Title]\n@NAME N\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE s\n[S]\n@IMAGE PIC.BMP\n");
  ToolRun run = RunStoryTool({"validate", dir.Path()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "OK\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(RunStoryTool({"validate", "--image-sizes", dir.Path()}).status, 1);
}

TEST_F(StoryToolValidate, FindsAccentedNamesOfAWindowsStory) {
  // Windows-1252 names; the picture as unpacking the story on Linux writes it, in UTF-8.
  WriteFile(dir / "gamefile.txt",
            "[Title]\n@NAME N\n@AUTHOR A\n@ARTIST B\n[Setup]\n@IMAGEDIR pics\n@FIRSTSCENE \xC9tape\n"
            "[\xC9tape]\n@IMAGE \xC9" "cume.bmp\n@OPTION1 Go\n@LINK1 CAF\xC9\n[Caf\xE9]\n@IMAGE \xC9" "CUME.BMP\n");
  WriteFile(dir / "pics/\xC3\x89" "cume.bmp", BmpHeader(10, 10));
  ToolRun run = RunStoryTool({"validate", dir.Path()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "OK\n");
  EXPECT_EQ(run.err, "");
}

TEST(StoryTool, NamePrintsNameOrErrorWindow) {
  TempDir dir;
  WriteFile(dir / "utf8/gamefile.txt", "[Title]\n@NAME Caf\xC3\xA9\n");
  WriteFile(dir / "ansi/gamefile.txt", "[Title]\n@NAME Caf\xE9 \x81\\nline two\n");
  WriteFile(dir / "none/gamefile.txt", "[Cave]\n@NAME x\n");
  ToolRun utf8 = RunStoryTool({"name", dir / "utf8"});
  EXPECT_EQ(utf8.status, 0);
  EXPECT_EQ(utf8.out, "Caf\xC3\xA9\n");
  ToolRun ansi = RunStoryTool({"name", dir / "ansi/gamefile.txt"});
  EXPECT_EQ(ansi.status, 0);
  EXPECT_EQ(ansi.out, "Caf\xC3\xA9 \xC2\x81\nline two\n");
  ToolRun none = RunStoryTool({"name", dir / "none"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "Game:\t" + dir / "none/gamefile.txt" +
                          "\nSection:\tTITLE\nError:\tThe required title section could not be found.\n");
}

TEST(StoryTool, UnusedListsAndTrashesInsideTheStoryOnly) {
  TempDir dir;
  std::string story = dir / "Stories/Tale";
  WriteFile(story + "/gamefile.txt",
            "[Setup]\n@IMAGEDIR pics\n@SOUNDDIR ../../outside/\n[A]\n@IMAGE A.BMP\n@SOUND used.wav\n");
  WriteFile(story + "/pics/a.bmp", "used");
  WriteFile(story + "/pics/tool-unused.bmp", "unused");
  WriteFile(story + "/tune.mid", "music");
  WriteFile(dir / "outside/private.wav", "private");
  WriteFile(dir / "outside/used.wav", "used");

  ToolRun list = RunStoryTool({"unused", story});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out,
            "------- Sounds -------\nprivate.wav\n------- Images -------\ntool-unused.bmp\n"
            "------- Music -------\ntune.mid\n------- END -------\n");

  std::string dataHome = "XDG_DATA_HOME=" + dir / "data";
  ToolRun trash = RunStoryTool({"unused", "--trash", story}, {dataHome});
  EXPECT_EQ(trash.status, 1) << "a file stayed";
  EXPECT_EQ(trash.out,
            "kept: " + story + "/../../outside/private.wav (it lies outside the story's folder)\n"
            "moved: " + story + "/pics/tool-unused.bmp\nmoved: " + story + "/tune.mid\n"
            "2 moved to the trash, 1 kept\n"
            "------- Sounds -------\nprivate.wav\n------- Images -------\n------- Music -------\n------- END -------\n");
  EXPECT_EQ(testing_support::ReadFile(dir / "outside/private.wav"), "private");
  EXPECT_EQ(testing_support::ReadFile(dir / "data/Trash/files/tool-unused.bmp"), "unused");
  EXPECT_EQ(testing_support::ReadFile(dir / "data/Trash/files/tune.mid"), "music");
  EXPECT_TRUE(platform::FileExists(story + "/pics/a.bmp"));
}

// Linux tells Tree.bmp from tree.bmp: the scene's tree.bmp is the picture the player opens.
TEST(StoryTool, UnusedNeverOffersThePictureTheSceneOpens) {
  TempDir dir;
  WriteFile(dir / "gamefile.txt", "[Title]\n@NAME Trees\n[A]\n@IMAGE tree.bmp\n");
  WriteFile(dir / "Tree.bmp", "other");
  WriteFile(dir / "tree.bmp", "used");
  ToolRun list = RunStoryTool({"unused", dir.Path()});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "------- Sounds -------\n------- Images -------\nTree.bmp\n------- Music -------\n------- END -------\n");
}

}  // namespace
