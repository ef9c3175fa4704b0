// The inventory of media files that no scene uses, and moving them to the trash safely.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/FileSystem.h"
#include "story/MediaFiles.h"
#include "tests/story/StoryTestSupport.h"

namespace {

using Names = std::vector<std::string>;

class UnusedResources : public StoryTest {
 protected:
  void TakeInventory() { story.FindUnusedResources(sounds, pictures, music); }
  Names sounds, pictures, music;
};

TEST_F(UnusedResources, ListsUnusedFilesOfEveryKindSortedByBytes) {
  for (const char* name : {"sounds/b.wav", "sounds/C.wav", "sounds/a.wav", "sounds/song.ogg", "sounds/Rain.OGG",
                           "pics/tree.bmp", "pics/title.png", "pics/map.png", "pics/Hut.BMP", "music/theme.mid",
                           "music/x.midi"})
    WriteMedia(name, "x");
  Read("[Setup]\n@SOUNDDIR sounds\n@IMAGEDIR pics\\\n@MUSICDIR music\n"
       "[A]\n@ANIM Tree.BMP, MAP.png\n@MUSIC STOP\n@SOUND song.ogg\n");
  TakeInventory();
  EXPECT_EQ(sounds, (Names{"C.wav", "Rain.OGG", "a.wav", "b.wav"}));
  EXPECT_EQ(pictures, (Names{"Hut.BMP", "title.png"}));
  EXPECT_EQ(music, (Names{"theme.mid"}));
}

// A reference uses the very file that opening it opens: the exact name when it exists, else
// the first case variant in byte order; through '..' it is still the same file.
TEST_F(UnusedResources, ReferenceUsesTheFileItsOpenOpens) {
  for (const char* name : {"pics/Tree.bmp", "pics/tree.bmp", "pics/Bush.bmp", "pics/bush.bmp", "pics/rock.bmp"})
    WriteMedia(name, "x");
  Read("[Setup]\n@IMAGEDIR pics\n[A]\n@ANIM tree.bmp, BUSH.BMP, ../pics/rock.bmp\n");
  TakeInventory();
  EXPECT_EQ(pictures, (Names{"Tree.bmp", "bush.bmp"}));
}

TEST_F(UnusedResources, StoryWithoutScenesListsNothing) {
  for (const char* name : {"a.bmp", "s.wav", "m.mid"}) WriteMedia(name, "x");
  Read("[Title]\n@NAME Released\n[A]\n@IMAGE a.bmp\n");
  story.ReleaseStory();
  TakeInventory();
  EXPECT_TRUE(sounds.empty() && pictures.empty() && music.empty());
  Read("[Title]\n@NAME No scenes\n");
  TakeInventory();
  EXPECT_TRUE(sounds.empty() && pictures.empty() && music.empty());
}

TEST_F(UnusedResources, EveryReferenceStrikesOutOneName) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "tree.bmp", "X.bmp", "x.bmp", "s.wav", "m.mid"})
    WriteMedia(name, "x");
  Read("[A]\n@ANIM a.bmp, b.bmp, C.bmp\n@SOUND S.WAV\n@MUSIC m.mid\n"
       "[B]\n@IMAGE old/tree.bmp\n@IMAGE x.BMP\n@SOUND s.wav\n");
  TakeInventory();
  EXPECT_EQ(pictures, (Names{"tree.bmp", "x.bmp"}));
  EXPECT_TRUE(sounds.empty());
  EXPECT_TRUE(music.empty());
  EXPECT_EQ(UnusedResourceRows(sounds, pictures, music),
            (Names{"------- Sounds -------", "------- Images -------", "tree.bmp", "x.bmp",
                   "------- Music -------", "------- END -------"}));
}

TEST_F(UnusedResources, MissingFoldersGiveEmptyGroups) {
  Read("[Setup]\n@SOUNDDIR nowhere\n@IMAGEDIR nowhere\n@MUSICDIR nowhere\n[A]\n");
  TakeInventory();
  EXPECT_TRUE(sounds.empty() && pictures.empty() && music.empty());
  EXPECT_EQ(UnusedResourceRows(sounds, pictures, music),
            (Names{"------- Sounds -------", "------- Images -------", "------- Music -------",
                   "------- END -------"}));
}

TEST_F(UnusedResources, FindFilesListsMatchingFoldersToo) {
  testing_support::MakeFolders(dir / "folder.BMP");
  WriteMedia("a.bmp", "x");
  WriteMedia("notes.txt", "x");
  EXPECT_EQ(FindFiles(dir / "*.bmp"), (Names{"a.bmp", "folder.BMP"}));
  EXPECT_EQ(FindFiles(dir / "missing/*.bmp"), Names{});
}

TEST_F(UnusedResources, DeleteMovesFilesToTrash) {
  std::string trash = TestTrashFiles();
  WriteMedia("pics/unused-picture-1.bmp", "picture one");
  WriteMedia("pics/used.bmp", "keep");
  WriteMedia("unused-sound-1.wav", "sound one");
  WriteMedia("tunes/Unused-Music-1.MID", "music one");
  Read("[Setup]\n@IMAGEDIR PICS\n@MUSICDIR tunes\n[A]\n@IMAGE used.bmp\n");
  TakeInventory();
  ASSERT_EQ(pictures, Names{"unused-picture-1.bmp"});
  EXPECT_EQ(CountMoved(story.DeleteUnusedResources(sounds, pictures, music)), 3u);
  EXPECT_FALSE(platform::FileExists(dir / "pics/unused-picture-1.bmp"));
  EXPECT_TRUE(platform::FileExists(dir / "pics/used.bmp"));
  EXPECT_EQ(testing_support::ReadFile(trash + "/unused-picture-1.bmp"), "picture one");
  EXPECT_EQ(testing_support::ReadFile(trash + "/unused-sound-1.wav"), "sound one");
  EXPECT_EQ(testing_support::ReadFile(trash + "/Unused-Music-1.MID"), "music one");
  TakeInventory();
  EXPECT_TRUE(sounds.empty() && pictures.empty() && music.empty());
}

TEST_F(UnusedResources, NothingOutsideTheStoryFolderIsTrashed) {
  TestTrashFiles();
  testing_support::TempDir root;
  testing_support::WriteFile(root / "user/photo.bmp", "holiday");
  testing_support::WriteFile(root / "user/song.mid", "song");
  testing_support::WriteFile(root / "story/pics/inside-2.bmp", "inside");
  testing_support::MakeFolders(root / "story/links");
  ASSERT_EQ(::symlink((root / "user/photo.bmp").c_str(), (root / "story/pics/link.bmp").c_str()), 0);
  ASSERT_EQ(::symlink((root / "user").c_str(), (root / "story/linked").c_str()), 0);
  testing_support::MakeFolders(root / "story/pics/folder.bmp");
  testing_support::WriteFile(root / "story/gamefile.txt",
                             "[Setup]\n@SOUNDDIR ../user/\n@MUSICDIR linked\n@IMAGEDIR pics\n[A]\n");
  ASSERT_TRUE(story.OpenStory(root / "story/gamefile.txt", false, false, true));

  // Folders above the story, folders linked from it, links inside it and folders are left,
  // each with the reason.
  EXPECT_EQ(CountMoved(story.DeleteUnusedResources(Names{}, Names{"../../user/photo.bmp"}, Names{})), 0u);
  TakeInventory();
  EXPECT_EQ(pictures, (Names{"folder.bmp", "inside-2.bmp", "link.bmp"}));
  EXPECT_EQ(music, Names{"song.mid"});
  std::vector<std::string> outcomes;
  for (const RecycleOutcome& outcome : story.DeleteUnusedResources(sounds, pictures, music))
    outcomes.push_back(outcome.name + (outcome.moved ? " moved" : ": " + outcome.reason));
  EXPECT_EQ(outcomes, (Names{"folder.bmp: it is not a regular file", "inside-2.bmp moved", "link.bmp: it is a link",
                             "song.mid: it lies outside the story's folder"}));
  EXPECT_EQ(testing_support::ReadFile(root / "user/photo.bmp"), "holiday");
  EXPECT_EQ(testing_support::ReadFile(root / "user/song.mid"), "song");
  EXPECT_TRUE(platform::IsSymbolicLink(root / "story/pics/link.bmp"));
  EXPECT_TRUE(platform::FolderExists(root / "story/pics/folder.bmp"));
  EXPECT_FALSE(platform::FileExists(root / "story/pics/inside-2.bmp"));

  // What stays is listed again after a refresh.
  TakeInventory();
  EXPECT_EQ(pictures, (Names{"folder.bmp", "link.bmp"}));
  EXPECT_EQ(music, Names{"song.mid"});
}

TEST_F(UnusedResources, ImageFolderAboveTheStoryCannotBeEmptied) {
  TestTrashFiles();
  testing_support::TempDir root;
  testing_support::WriteFile(root / "home/letter.bmp", "private");
  testing_support::WriteFile(root / "home/Stories/Evil/gamefile.txt",
                             "[Setup]\n@IMAGEDIR ../../\n[A]\n@IMAGE x.bmp\n");
  ASSERT_TRUE(story.OpenStory(root / "home/Stories/Evil/gamefile.txt", false, false, true));
  TakeInventory();
  ASSERT_EQ(pictures, Names{"letter.bmp"});
  EXPECT_EQ(CountMoved(story.DeleteUnusedResources(sounds, pictures, music)), 0u);
  EXPECT_EQ(testing_support::ReadFile(root / "home/letter.bmp"), "private");
}

TEST_F(UnusedResources, StoryInCurrentFolder) {
  TestTrashFiles();
  WriteMedia("current-folder-3.bmp", "x");
  testing_support::WriteFile(dir / "gamefile.txt", "[A]\n");
  std::string previous = std::filesystem::current_path().string();
  std::filesystem::current_path(dir.Path());
  story.OpenStory("gamefile.txt", false, false, true);
  TakeInventory();
  size_t moved = CountMoved(story.DeleteUnusedResources(sounds, pictures, music));
  std::filesystem::current_path(previous);
  EXPECT_EQ(pictures, Names{"current-folder-3.bmp"});
  EXPECT_EQ(moved, 1u);
  EXPECT_FALSE(platform::FileExists(dir / "current-folder-3.bmp"));
}

}  // namespace
