#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "game/GameSettings.h"
#include "game/SettingsStore.h"
#include "tests/support/TestFiles.h"

using testing_support::TempDir;

namespace {

std::string CurrentDirectory() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

}  // namespace

TEST(GameSettings, FreshStoreGivesTheDefaults) {
  TempDir dir;
  CSettingsStore store(dir / "Fablewick.conf");
  CGameSettings settings;
  settings.Read(store);
  EXPECT_EQ(settings.MusicOn, 1);
  EXPECT_EQ(settings.SoundOn, 1);
  EXPECT_EQ(settings.DebugOn, 0);
  EXPECT_EQ(settings.ValidateFileOn, 1);
  EXPECT_EQ(settings.ValidateImageSizes, 0);
  EXPECT_EQ(settings.Use16BitOggVorbisDecoding, 1);
  EXPECT_EQ(settings.SortTitlesOn, 0);
  EXPECT_EQ(settings.SoundDevice, "<Automatic>");
  EXPECT_EQ(settings.MusicDevice, "<Automatic>");
  EXPECT_EQ(settings.StoriesPath, CurrentDirectory() + "/Stories/");
  EXPECT_EQ(settings.Zoom, 0) << "the automatic size";
}

TEST(GameSettings, RoundTripsEveryValue) {
  TempDir dir;
  CGameSettings written;
  written.DebugOn = 1;
  written.MusicOn = 0;
  written.SoundOn = 0;
  written.ValidateFileOn = 0;
  written.ValidateImageSizes = 1;
  written.Use16BitOggVorbisDecoding = 0;
  written.SortTitlesOn = 1;
  written.SoundDevice = "default: Playback";
  written.MusicDevice = "Built-in synthesizer";
  written.StoriesPath = "/home/reader/My Stories/";
  written.Zoom = 3;
  {
    CSettingsStore store(dir / "Fablewick.conf");
    ASSERT_TRUE(written.Write(store));
  }
  CSettingsStore store(dir / "Fablewick.conf");
  CGameSettings read;
  read.Read(store);
  EXPECT_EQ(read.DebugOn, 1);
  EXPECT_EQ(read.MusicOn, 0);
  EXPECT_EQ(read.SoundOn, 0);
  EXPECT_EQ(read.ValidateFileOn, 0);
  EXPECT_EQ(read.ValidateImageSizes, 1);
  EXPECT_EQ(read.Use16BitOggVorbisDecoding, 0);
  EXPECT_EQ(read.SortTitlesOn, 1);
  EXPECT_EQ(read.SoundDevice, "default: Playback");
  EXPECT_EQ(read.MusicDevice, "Built-in synthesizer");
  EXPECT_EQ(read.StoriesPath, "/home/reader/My Stories/");
  EXPECT_EQ(read.Zoom, 3);
}

TEST(GameSettings, RelativeStoriesPathBecomesAbsolute) {
  TempDir dir;
  testing_support::WriteFile(dir / "Fablewick.conf", "[Settings]\nStoriesPath=Tales/../More Tales\n");
  CSettingsStore store(dir / "Fablewick.conf");
  CGameSettings settings;
  settings.Read(store);
  EXPECT_EQ(settings.StoriesPath, CurrentDirectory() + "/More Tales");
}

TEST(SettingsStore, MalformedValuesReadAsDefaults) {
  TempDir dir;
  testing_support::WriteFile(dir / "Fablewick.conf",
                             "garbage line without equals\n[Settings]\nMusicOn=yes please\n"
                             "SoundOn=0\nDebugOn=99999999999999999999\n[Settings\nSortTitlesOn=1\n");
  CSettingsStore store(dir / "Fablewick.conf");
  CGameSettings settings;
  settings.Read(store);
  EXPECT_EQ(settings.MusicOn, 1);
  EXPECT_EQ(settings.SoundOn, 0);
  EXPECT_EQ(settings.DebugOn, 0);
  EXPECT_EQ(settings.SortTitlesOn, 1);  // a broken section line is passed over; what follows counts
}

TEST(SettingsStore, TextsRoundTripByteForByte) {
  TempDir dir;
  const std::string windows1252 = "Ch\xE2teau d'\x80t\xE9";  // not UTF-8
  const std::string utf8 = "Ch\xC3\xA2teau \xE2\x82\xAC";
  const std::string mixed = "a\xC3\xA9\xE9\xFF\x80z";
  const std::string dollars = "Gold of $HOME and ${PATH} and \\$USER";  // never expanded
  {
    CSettingsStore store(dir / "Fablewick.conf");
    store.WriteString(kSettingsSection, "SaveTitle", windows1252);
    store.WriteString(kSettingsSection, "SaveScene", utf8);
    store.WriteString(kSettingsSection, "SaveMusic", mixed);
    store.WriteString(kSettingsSection, "StoriesPath", dollars);
    ASSERT_TRUE(store.Flush());
  }
  // The file stays readable UTF-8, and valid UTF-8 texts are stored as they are.
  std::string file = testing_support::ReadFile(dir / "Fablewick.conf");
  EXPECT_NE(file.find(utf8), std::string::npos);
  CSettingsStore store(dir / "Fablewick.conf");
  EXPECT_EQ(store.ReadString(kSettingsSection, "SaveTitle", ""), windows1252);
  EXPECT_EQ(store.ReadString(kSettingsSection, "SaveScene", ""), utf8);
  EXPECT_EQ(store.ReadString(kSettingsSection, "SaveMusic", ""), mixed);
  EXPECT_EQ(store.ReadString(kSettingsSection, "StoriesPath", ""), dollars);
  EXPECT_EQ(store.ReadString(kSettingsSection, "Missing", "fallback"), "fallback");
}

TEST(SettingsStore, NegativeAndLargeIntegersKeepTheir32Bits) {
  TempDir dir;
  {
    CSettingsStore store(dir / "Fablewick.conf");
    store.WriteInt(kSettingsSection, "wp.left", -1920);
    store.WriteInt(kSettingsSection, "wp.flags", INT32_MIN);
    ASSERT_TRUE(store.Flush());
  }
  CSettingsStore store(dir / "Fablewick.conf");
  EXPECT_EQ(store.ReadInt(kSettingsSection, "wp.left", 0), -1920);
  EXPECT_EQ(store.ReadInt(kSettingsSection, "wp.flags", 0), INT32_MIN);
}

TEST(SettingsStore, UserStoreLivesInTheXdgConfigHome) {
  TempDir dir;
  std::string saved = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
  std::string path = CSettingsStore::OpenUserStore()->GetFilePath();
  if (saved.empty()) unsetenv("XDG_CONFIG_HOME"); else setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  EXPECT_EQ(path, dir / "Fablewick/Fablewick.conf");
}

// Two players share the file: neither undoes what the other wrote, and each reads the saved
// position as the file holds it now.
TEST(SettingsStore, TwoStoresKeepEachOthersValues) {
  TempDir dir;
  CSettingsStore first(dir / "Fablewick.conf");
  CSettingsStore second(dir / "Fablewick.conf");
  EXPECT_EQ(second.ReadString(kSettingsSection, "SaveTitle", ""), "");
  first.WriteString(kSettingsSection, "SaveTitle", "Harbour");
  first.WriteString(kSettingsSection, "SaveScene", "Tower");
  ASSERT_TRUE(first.Flush());
  EXPECT_EQ(second.ReadString(kSettingsSection, "SaveScene", ""), "Tower");

  second.WriteInt(kSettingsSection, "wp.left", 40);  // the other player's window moved
  ASSERT_TRUE(second.Flush());
  first.WriteInt(kSettingsSection, "MusicOn", 0);  // not yet flushed: reads see it all the same
  EXPECT_EQ(first.ReadInt(kSettingsSection, "wp.left", 0), 40);
  EXPECT_EQ(first.ReadInt(kSettingsSection, "MusicOn", 1), 0);
  ASSERT_TRUE(first.Flush());

  CSettingsStore later(dir / "Fablewick.conf");
  EXPECT_EQ(later.ReadString(kSettingsSection, "SaveTitle", ""), "Harbour");
  EXPECT_EQ(later.ReadString(kSettingsSection, "SaveScene", ""), "Tower");
  EXPECT_EQ(later.ReadInt(kSettingsSection, "wp.left", 0), 40);
  EXPECT_EQ(later.ReadInt(kSettingsSection, "MusicOn", 1), 0);
}

TEST(SettingsStore, TwoProcessesWritingAtOnceLoseNothing) {
  TempDir dir;
  const std::string file = dir / "Fablewick.conf";
  const int kWrites = 60;
  auto writeValues = [&](const std::string& prefix) {
    CSettingsStore store(file);
    for (int i = 0; i < kWrites; ++i) {
      store.WriteInt(kSettingsSection, prefix + std::to_string(i), i);
      if (!store.Flush()) return false;
    }
    return true;
  };
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(writeValues("child") ? 0 : 1);
  const bool written = writeValues("parent");
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(written);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  CSettingsStore store(file);
  int missing = 0;
  for (const char* prefix : {"child", "parent"})
    for (int i = 0; i < kWrites; ++i)
      if (store.ReadInt(kSettingsSection, prefix + std::to_string(i), -1) != i) ++missing;
  EXPECT_EQ(missing, 0);
}
