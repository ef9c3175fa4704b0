#include <gtest/gtest.h>
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
