#include "game/StoryLibrary.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include "tests/game/ScriptedUi.h"
#include "tests/game/StoryFolders.h"
#include "tests/support/TestFiles.h"

using testing_support::TempDir;

namespace {

std::vector<std::string> Names(const std::vector<StoryEntry>& list) {
  std::vector<std::string> names;
  for (const auto& entry : list) names.push_back(entry.Name);
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(StoryLibrary, FindsStoryFoldersOnly) {
  TempDir dir;
  WriteSimpleStory(dir / "one", "First");
  WriteSimpleStory(dir / ".hidden", "Hidden");
  WriteSimpleStory(dir / "two", "Second");
  testing_support::MakeFolders(dir / "empty");
  testing_support::WriteFile(dir / "gamefile.txt", "[Title]\n@NAME Loose\n");
  CScriptedUi ui;
  std::vector<StoryEntry> list;
  ASSERT_TRUE(SearchStories(list, dir.Path(), &ui));
  EXPECT_EQ(Sorted(Names(list)), (std::vector<std::string>{"First", "Second"}));
  for (const auto& entry : list) {
    EXPECT_EQ(entry.Path.rfind(dir.Path() + "/", 0), 0u);
    EXPECT_NE(entry.Time, 0u);
  }
  EXPECT_TRUE(ui.ErrorBoxes.empty());
}

TEST(StoryLibrary, TrailingSeparatorMakesNoDifference) {
  TempDir dir;
  WriteSimpleStory(dir / "one", "First");
  std::vector<StoryEntry> plain, slash, backslash;
  ASSERT_TRUE(SearchStories(plain, dir.Path(), nullptr));
  ASSERT_TRUE(SearchStories(slash, dir.Path() + "/", nullptr));
  EXPECT_EQ(plain[0].Path, slash[0].Path);
  EXPECT_EQ(plain[0].Path, dir / "one/gamefile.txt");
}

TEST(StoryLibrary, EmptyPathListsTheCurrentDirectory) {
  TempDir dir;
  WriteSimpleStory(dir / "here", "Here");
  char saved[4096];
  ASSERT_NE(::getcwd(saved, sizeof saved), nullptr);
  ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
  std::vector<StoryEntry> list;
  bool found = SearchStories(list, "", nullptr);
  ASSERT_EQ(::chdir(saved), 0);
  ASSERT_TRUE(found);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Here"}));
  EXPECT_EQ(list[0].Path, "here/gamefile.txt");
}

TEST(StoryLibrary, MissingFolderIsReportedAsFinding) {
  TempDir dir;
  CScriptedUi ui;
  std::vector<StoryEntry> list;
  EXPECT_FALSE(SearchStories(list, dir / "nowhere", &ui));
  ASSERT_EQ(ui.ErrorBoxes.size(), 1u);
  EXPECT_EQ(ui.ErrorBoxes[0], "Path: " + (dir / "nowhere/*.*") +
                                  "\nOperation: Finding\nError (2): No such file or directory");
}

TEST(StoryLibrary, FaultyTitleIsReportedAndSkipped) {
  TempDir dir;
  WriteStory(dir / "bad", "[Title]\n@AUTHOR nobody\n");
  WriteSimpleStory(dir / "good", "Good");
  CScriptedUi ui;
  std::vector<StoryEntry> list;
  ASSERT_TRUE(SearchStories(list, dir.Path(), &ui));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Good"}));
  EXPECT_EQ(ui.ErrorBoxes.size(), 1u);
}

TEST(StoryLibrary, FolderWithoutStoriesFindsNone) {
  TempDir dir;
  testing_support::MakeFolders(dir / "nothing");
  std::vector<StoryEntry> list;
  EXPECT_FALSE(SearchStories(list, dir.Path(), nullptr));
}

TEST(StoryLibrary, SortsByNameWithEqualNamesInSearchOrder) {
  std::vector<StoryEntry> list = {{"beta", "1", 0}, {"Alpha", "2", 0}, {"alpha", "3", 0}};
  std::vector<StoryEntry> sorted = SortStoriesForDisplay(list, true);
  EXPECT_EQ(Names(sorted), (std::vector<std::string>{"Alpha", "alpha", "beta"}));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"beta", "Alpha", "alpha"}));  // copy only
}

TEST(StoryLibrary, SortsNewestFirstWithEqualTimesReversed) {
  std::vector<StoryEntry> list = {{"A", "1", 5}, {"B", "2", 5}, {"Old", "3", 1}, {"New", "4", 9}};
  EXPECT_EQ(Names(SortStoriesForDisplay(list, false)), (std::vector<std::string>{"New", "B", "A", "Old"}));
}

TEST(StoryLibrary, FindsAndSortsAccentedNames) {
  TempDir dir;
  WriteSimpleStory(dir / "Cr\xC3\xAApe", "Cr\xEApe");  // a Windows-1252 name in a UTF-8 folder
  WriteSimpleStory(dir / "zoo", "Zoo");
  WriteSimpleStory(dir / "crane", "crane");
  std::vector<StoryEntry> list;
  ASSERT_TRUE(SearchStories(list, dir.Path(), nullptr));
  EXPECT_EQ(Names(SortStoriesForDisplay(list, true)), (std::vector<std::string>{"crane", "Cr\xEApe", "Zoo"}));
  const StoryEntry* found = FindStoryEntry(list, "CR\xC3\x8APE");  // CRÊPE in UTF-8
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Path, dir / "Cr\xC3\xAApe/gamefile.txt");
  EXPECT_EQ(FindStoryEntry(list, "crepe"), nullptr);
}

TEST(StoryLibrary, FindsTheFirstEntryIgnoringCase) {
  std::vector<StoryEntry> list = {{"Twin", "1", 0}, {"TWIN", "2", 0}};
  ASSERT_NE(FindStoryEntry(list, "twin"), nullptr);
  EXPECT_EQ(FindStoryEntry(list, "twin")->Path, "1");
  EXPECT_EQ(FindStoryEntry(list, "other"), nullptr);
}
