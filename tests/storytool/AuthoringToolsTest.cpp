// The story tool's commands for authors at work: lint, graph and new, and the conventions of
// command-line programs that every command follows.
#include <gtest/gtest.h>

#include "tests/storytool/ToolRunner.h"
#include "tests/support/TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

const std::string kTitle = "[Title]\n@NAME N\n@AUTHOR A\n@ARTIST B\n";

// A BMP picture of 2 x 2 pixels, 24 bits.
std::string SmallBmp() {
  std::string bytes(54 + 16, '\0');
  bytes[0] = 'B', bytes[1] = 'M', bytes[2] = 70, bytes[10] = 54, bytes[14] = 40, bytes[18] = 2, bytes[22] = 2;
  bytes[26] = 1, bytes[28] = 24;
  return bytes;
}

TEST(StoryLint, FindsScenesNoLinkReachesNamesDefinedTwiceAndEndings) {
  TempDir dir;
  WriteFile(dir / "a.bmp", SmallBmp());
  WriteFile(dir / "gamefile.txt", kTitle +
                                      "[Setup]\n@FIRSTSCENE Start\n"                   // 5-6
                                      "[Start]\n@IMAGE a.bmp\n@OPTION1 On\n@LINK1 End\n"  // 7-10
                                      "[End]\n@IMAGE a.bmp\n"                          // 11-12
                                      "[Lost]\n@IMAGE a.bmp\n@OPTION1 On\n@LINK1 Lost\n"  // 13-16
                                      "[start]\n@IMAGE a.bmp\n@OPTION1 On\n@LINK1 End\n");  // 17-20
  std::string file = dir / "gamefile.txt";
  ToolRun run = RunStoryTool({"lint", dir.Path()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, file + ":11: note: scene \"End\" has no options: the story ends here\n" + file +
                         ":13: warning: scene \"Lost\" cannot be reached: no chain of links from the first scene leads to it\n" +
                         file + ":17: warning: scene \"start\" is defined again: only the first, at line 7, can be entered\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(RunStoryTool({"lint", "--werror", file}).status, 1);

  ToolRun json = RunStoryTool({"lint", "--json", file});
  EXPECT_EQ(json.out.substr(0, json.out.find('\n')),
            "{\"path\": \"" + file + "\", \"line\": 11, \"severity\": \"note\", \"message\": \"scene \\\"End\\\" has no options: the story ends here\"}");
}

TEST(StoryLint, NamesValuesTheReaderTurnsIntoDefaultsAndUnknownKeywords) {
  TempDir dir;
  WriteFile(dir / "pics/a.bmp", SmallBmp());
  WriteFile(dir / "gamefile.txt", kTitle +
                                      "[Setup]\n@IMAGEDIR Art\\pics\\\n@FIRSTSCENE S\n"  // 5-7
                                      "[S]\n@ANIM a.bmp, a.bmp\n@ANIMSPEED MEDUIM\n@ANIMLOOP FOREVRE\n"  // 8-11
                                      "@SOUNDDELAY RANDOM 500 2000\n@SOUNLOOP 3\n@OPTION1 Again\n@LINK1 S\n");  // 12-15
  std::string file = dir / "gamefile.txt";
  ToolRun run = RunStoryTool({"lint", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            file + ":5: error: Image directory not found (Scene \"Setup\")\n" + file +
                ":6: warning: IMAGEDIR \"Art\\pics\\\" is read as \"Artics/\": a backslash drops the character after it; probably meant \"Art/pics/\"\n" +
                file + ":9: error: Image not found (Scene \"S\"): a.bmp\n" + file + ":10: warning: ANIMSPEED \"MEDUIM\" is neither SLOW, MEDIUM, FAST nor a number of pictures a second: the animation plays at the default speed (MEDIUM)\n" +
                file + ":11: warning: ANIMLOOP \"FOREVRE\" is neither a number nor FOREVER: it is read as 0\n" +
                file + ":12: warning: SOUNDDELAY \"RANDOM 500 2000\" is neither a number nor RANDOM min-max: it is read as 500 to 500 ms\n" +
                file + ":13: warning: @SOUNLOOP is not a keyword of a scene: did you mean @SOUNDLOOP?\n");
}

TEST(StoryLint, ExplainsByteOrderMarksLookAlikeNamesAndMediaThatDoNotLoad) {
  TempDir dir;
  WriteFile(dir / "sunset.bmp", SmallBmp());
  WriteFile(dir / "broken.bmp", SmallBmp().substr(0, 60));
  WriteFile(dir / "old.bmp", SmallBmp());
  WriteFile(dir / "gamefile.txt", "\xEF\xBB\xBF" + kTitle +
                                      "[Setup]\n@FIRSTSCENE S\n"                        // 5-6
                                      "[S]\n@IMAGE sunse\xCC\x81t.bmp\n@OPTION1 On\n@LINK1 T\n"  // 7-10
                                      "[T]\n@IMAGE broken.bmp\n@OPTION1 On\n@LINK1 S\n");  // 11-14
  std::string file = dir / "gamefile.txt";
  ToolRun run = RunStoryTool({"lint", dir.Path()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find(file + ":1: error: a byte-order mark before the first \"[\" hides the header [Title]: "
                                "save the file without a byte-order mark\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(file + ": error: The required title section could not be found."), std::string::npos);
  EXPECT_NE(run.out.find(file + ":8: error: Image not found (Scene \"S\"): sunse\xCC\x81t.bmp; did you mean sunset.bmp?\n"),
            std::string::npos);
  EXPECT_NE(run.out.find(file + ":12: error: picture broken.bmp does not load: "), std::string::npos);
  EXPECT_NE(run.out.find("\n" + dir / "old.bmp" + ": note: no scene uses this file\n"), std::string::npos);
}

TEST(StoryGraph, DrawsOneEdgePerLinkAndMarksTheKindsOfScene) {
  TempDir dir;
  WriteFile(dir / "gamefile.txt", kTitle +
                                      "[Setup]\n@FIRSTSCENE Start\n"
                                      "[Start]\n@OPTION1 Walk along the \"long\" road to the old mill\n@LINK1 End\n"
                                      "@OPTION2 Swim\n@LINK2 Lake\n"
                                      "[End]\n[Lost]\n@OPTION1 Back\n@LINK1 start\n");
  ToolRun run = RunStoryTool({"graph", dir.Path()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "digraph story {\n  label=\"N\";\n  labelloc=t;\n  fontname=Sans;\n  node [fontname=Sans];\n"
            "  edge [fontname=Sans];\n"
            "  s0 [label=\"Start\", peripheries=2, style=bold];\n"
            "  s1 [label=\"End\", shape=box];\n"
            "  s2 [label=\"Lost\", color=grey60, fontcolor=grey50];\n"
            "  missing0 [label=\"Lake\", color=red, fontcolor=red, shape=octagon];\n"
            "  s0 -> s1 [label=\"1: Walk along the \\\"long\\\" road to\xE2\x80\xA6\"];\n"
            "  s0 -> missing0 [label=\"2: Swim\"];\n"
            "  s2 -> s0 [label=\"1: Back\"];\n}\n");

  ToolRun svg = RunStoryTool({"graph", "--svg", dir / "story.svg", dir.Path()});
  EXPECT_EQ(svg.status, 0) << svg.err;
  std::string drawing = ReadFile(dir / "story.svg");
  EXPECT_EQ(drawing.compare(0, 5, "<?xml"), 0);
  EXPECT_NE(drawing.find("<svg"), std::string::npos);
  EXPECT_NE(drawing.find(">Lake</text>"), std::string::npos);
  EXPECT_EQ(RunStoryTool({"graph", "--svg", dir / "no/such/folder.svg", dir.Path()}).status, 2);
}

TEST(StoryNew, WritesAStarterStoryThatValidatesAndPlays) {
  TempDir dir;
  std::string story = dir / "Stories/First Tale";
  ToolRun made = RunStoryTool({"new", story});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(RunStoryTool({"name", story}).out, "First Tale\n");
  ToolRun validate = RunStoryTool({"validate", "--image-sizes", story});
  EXPECT_EQ(validate.status, 0);
  EXPECT_EQ(validate.out, "OK\n");
  ToolRun lint = RunStoryTool({"lint", "--werror", story});
  EXPECT_EQ(lint.status, 0);
  EXPECT_EQ(lint.out, "");
  ToolRun media = RunStoryTool({"media", story});
  EXPECT_EQ(media.status, 0) << media.out;
  EXPECT_NE(media.out.find("picture " + story + "/pics/pond3.png ok"), std::string::npos);
  EXPECT_NE(media.out.find("music " + story + "/music/theme.mid ok"), std::string::npos);

  ToolRun again = RunStoryTool({"new", story, "--name", "Other"});
  EXPECT_EQ(again.status, 2);
  EXPECT_EQ(again.err, "fablewick-story new: " + story + " is not empty: a new story needs a folder of its own\n");
  EXPECT_EQ(RunStoryTool({"name", story}).out, "First Tale\n");
  ASSERT_EQ(RunStoryTool({"new", dir / "named", "--name", "Tale of Two"}).status, 0);
  EXPECT_EQ(RunStoryTool({"name", dir / "named"}).out, "Tale of Two\n");
  EXPECT_EQ(RunStoryTool({"new", dir / "slashed", "--name", "A//B"}).status, 2) << "the story file cannot hold it";
}

TEST(StoryTool, FollowsCommandLineConventions) {
  ToolRun help = RunStoryTool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("  lint [--json] [--werror] FILE\n"), std::string::npos);
  EXPECT_EQ(help.err, "");
  ToolRun commandHelp = RunStoryTool({"graph", "--help"});
  EXPECT_EQ(commandHelp.status, 0);
  EXPECT_EQ(commandHelp.out, "usage: fablewick-story graph [--svg OUT] FILE\n");

  TempDir dir;
  WriteFile(dir / "pic.bmp", SmallBmp());
  ToolRun decoded = RunStoryTool({"decode", dir / "pic.bmp", "-"});
  EXPECT_EQ(decoded.status, 0);
  EXPECT_EQ(decoded.out.compare(0, 2, "BM"), 0);
  EXPECT_EQ(decoded.out.size(), 70u);

  WriteFile(dir / "gamefile.txt", kTitle + "[Setup]\n@FIRSTSCENE S\n[S]\n@IMAGE pic.bmp\n");
  EXPECT_EQ(RunStoryTool({"validate", "--quiet", dir / "gamefile.txt"}).out, "");
  EXPECT_EQ(RunStoryTool({"validate", dir.Path()}).out, "OK\n");
}

}  // namespace
