#include "platform/FileSystem.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/MmioFile.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TestFiles.h"

using testing_support::NamedPipe;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(ResolvePath, FindsEveryComponentIgnoringCase) {
  TempDir dir;
  WriteFile(dir / "Forest/Pics/tree.bmp", "x");
  EXPECT_EQ(platform::ResolvePath(dir / "forest/PICS/Tree.BMP"), dir / "Forest/Pics/tree.bmp");
  EXPECT_TRUE(platform::FileExists(dir / "FOREST/pics/TREE.bmp"));
  EXPECT_TRUE(platform::FolderExists(dir / "forest/pics/"));
}

TEST(ResolvePath, PrefersExactNameThenFirstVariantInByteOrder) {
  TempDir dir;
  WriteFile(dir / "tree.bmp", "lower");
  WriteFile(dir / "TREE.bmp", "upper");
  WriteFile(dir / "Tree.bmp", "mixed");
  EXPECT_EQ(platform::ResolvePath(dir / "tree.bmp"), dir / "tree.bmp");
  EXPECT_EQ(platform::ResolvePath(dir / "tREE.bmp"), dir / "TREE.bmp");
}

TEST(ResolvePath, FindsAccentedNamesWhateverTheirEncoding) {
  TempDir dir;
  const std::string forest = dir / "For\xC3\xAAt/";      // Forêt in UTF-8
  WriteFile(forest + "\xC3\x89" "cume.bmp", "composed");  // Écume.bmp
  WriteFile(forest + "Me\xCC\x81" "duse.bmp", "decomposed");  // Méduse.bmp as a Mac writes it
  WriteFile(forest + "ecume.bmp", "plain");
  for (bool indexed : {false, true}) {
    std::unique_ptr<platform::FolderIndexScope> scope;
    if (indexed) scope = std::make_unique<platform::FolderIndexScope>();
    // Windows-1252 names, another case, and composed text for a decomposed file.
    EXPECT_EQ(platform::ResolvePath(dir / "FOR\xCAT/\xC9" "cume.bmp"), forest + "\xC3\x89" "cume.bmp");
    EXPECT_EQ(platform::ResolvePath(dir / "for\xC3\xAAt/M\xC3\x89" "DUSE.BMP"), forest + "Me\xCC\x81" "duse.bmp");
    EXPECT_EQ(platform::ResolvePath(dir / "FOR\xC3\x8AT/ECUME.bmp"), forest + "ecume.bmp");
    // e is not é: names that differ by an accent stay apart.
    EXPECT_EQ(platform::ResolvePath(dir / "Foret/ecume.bmp"), dir / "Foret/ecume.bmp");
    EXPECT_FALSE(platform::FileExists(forest + "meduse.bmp"));
  }
}

TEST(ResolvePath, KeepsMissingPathAsWritten) {
  TempDir dir;
  EXPECT_EQ(platform::ResolvePath(dir / "no/such/File.txt"), dir / "no/such/File.txt");
  EXPECT_EQ(platform::GetFileKind(dir / "no/such/File.txt"), platform::FileKind::Missing);
  EXPECT_FALSE(platform::FileExists(""));
}

TEST(ResolvePath, ResolvesRelativePathsAgainstCurrentDirectory) {
  TempDir dir;
  WriteFile(dir / "Story/gamefile.txt", "x");
  char saved[4096];
  ASSERT_NE(::getcwd(saved, sizeof saved), nullptr);
  ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
  EXPECT_EQ(platform::ResolvePath("story/GAMEFILE.TXT"), "Story/gamefile.txt");
  EXPECT_EQ(platform::ResolvePath("./story/../STORY/gamefile.txt"), "./Story/../Story/gamefile.txt");
  ASSERT_EQ(::chdir(saved), 0);
}

TEST(FileKind, TellsFilesFromFolders) {
  TempDir dir;
  WriteFile(dir / "a.txt", "x");
  EXPECT_TRUE(platform::FileExists(dir / "a.txt"));
  EXPECT_FALSE(platform::FolderExists(dir / "a.txt"));
  EXPECT_TRUE(platform::FolderExists(dir.Path()));
  EXPECT_FALSE(platform::FileExists(dir.Path()));
}

TEST(OpenFile, OpensNoPipeOrDeviceAndNeverWaits) {
  TempDir dir;
  WriteFile(dir / "Story.txt", "x");
  FILE* file = platform::OpenFile(dir / "story.TXT", "rb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::fgetc(file), 'x');
  std::fclose(file);

  NamedPipe pipe(dir / "pipe.txt");
  errno = 0;
  EXPECT_EQ(platform::OpenFile(dir / "pipe.txt", "rb"), nullptr);
  EXPECT_EQ(errno, ENOTSUP);
  EXPECT_EQ(platform::OpenFile("/dev/zero", "rb"), nullptr);  // a device that never ends
  EXPECT_EQ(errno, ENOTSUP);
  // RIFF files too, by either procedure.
  platform::MmioFile riff;
  platform::MMIOINFO stdio;
  stdio.pIOProc = platform::StdioIoProc;
  EXPECT_FALSE(riff.Open(dir / "pipe.txt", nullptr, platform::MMIO_READ));
  EXPECT_FALSE(riff.Open(dir / "pipe.txt", &stdio, platform::MMIO_READ));
  EXPECT_FALSE(pipe.ReaderWaited());
}

TEST(WildcardMatch, FollowsTheStoriesHomeSystemRules) {
  EXPECT_TRUE(platform::WildcardMatch("*.wav", "Song.WAV"));
  EXPECT_TRUE(platform::WildcardMatch("*.wav", "a.b.wav"));
  EXPECT_FALSE(platform::WildcardMatch("*.wav", "song.wave"));
  EXPECT_FALSE(platform::WildcardMatch("*.wav", "wav"));
  EXPECT_TRUE(platform::WildcardMatch("*.*", "README"));
  EXPECT_TRUE(platform::WildcardMatch("a?c*", "ABCdef"));
  EXPECT_FALSE(platform::WildcardMatch("a?c", "ac"));
  EXPECT_TRUE(platform::WildcardMatch("**x", "x"));
}

TEST(ListDirectory, ListsMatchingEntriesWithKinds) {
  TempDir dir;
  WriteFile(dir / "Sounds/b.wav", "x");
  WriteFile(dir / "Sounds/C.WAV", "x");
  WriteFile(dir / "Sounds/a.ogg", "x");
  testing_support::MakeFolders(dir / "Sounds/folder.wav");
  std::vector<platform::DirEntry> entries;
  int error = -1;
  ASSERT_TRUE(platform::ListDirectory(dir / "sounds/*.wav", entries, error));
  EXPECT_EQ(error, 0);
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.name + (e.isFolder ? "/" : ""));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"C.WAV", "b.wav", "folder.wav/"}));
  for (const auto& e : entries) EXPECT_GT(e.writeTime, 116444736000000000ULL);
}

TEST(ListDirectory, ReportsMissingFolder) {
  TempDir dir;
  std::vector<platform::DirEntry> entries;
  int error = 0;
  EXPECT_FALSE(platform::ListDirectory(dir / "missing/*.*", entries, error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_TRUE(entries.empty());
}

TEST(GetFullPath, NormalizesAgainstCurrentDirectory) {
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(platform::GetFullPath("Stories/"), std::string(cwd) + "/Stories/");
  EXPECT_EQ(platform::GetFullPath("/a/./b//c/../d"), "/a/b/d");
  EXPECT_EQ(platform::GetFullPath("/.."), "/");
}

TEST(IsInsideFolder, AcceptsOnlyPathsBelowTheFolder) {
  EXPECT_TRUE(platform::IsInsideFolder("/s/story/pics/a.bmp", "/s/story"));
  EXPECT_TRUE(platform::IsInsideFolder("/s/story/a.bmp", "/s/story/"));
  EXPECT_FALSE(platform::IsInsideFolder("/s/story", "/s/story"));
  EXPECT_FALSE(platform::IsInsideFolder("/s/story2/a.bmp", "/s/story"));
  EXPECT_FALSE(platform::IsInsideFolder("", "/s"));
}

TEST(GetCanonicalPath, ResolvesLinksAndCase) {
  TempDir dir;
  WriteFile(dir / "real/file.txt", "x");
  ASSERT_EQ(::symlink((dir / "real").c_str(), (dir / "link").c_str()), 0);
  std::string canonicalDir = platform::GetCanonicalPath(dir.Path());
  EXPECT_EQ(platform::GetCanonicalPath(dir / "LINK/File.TXT"), canonicalDir + "/real/file.txt");
  EXPECT_EQ(platform::GetCanonicalPath(dir / "none"), "");
}
