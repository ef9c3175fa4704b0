// Music and sound as scenes come and go: what plays, what goes on, what stops, how often.
#include <chrono>
#include <thread>

#include "tests/audio/SmfBuilder.h"
#include "tests/game/GameFixture.h"
#include "tests/support/RiffBuilder.h"

namespace {

using Clock = std::chrono::steady_clock;

bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 20000) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// One note on the given key; a play lasts 96 ticks at 100,000 microseconds a quarter: 0.1 s,
// or, with rest, 20 s more (a text event keeps the time; the end of a track keeps none).
std::string Song(int key, bool rest = false) {
  using namespace smf;
  return Header(0, 1, 96) +
         Track(Meta(0, 0x51, Bytes({0x01, 0x86, 0xA0})) + NoteOn(0, key) +
               Vlq(48) + Bytes({0x80, key, 0}) + Meta(rest ? 48 + 96 * 200 : 48, 0x01, "end") +
               EndOfTrack());
}

// 8-bit mono at 8 kHz: 800 bytes sound for 0.1 s.
const int kSoundFrames = 800;
std::string Sound(char level = 100) {
  return riff::Wave(riff::PcmFormat(1, 8000, 8), std::string(kSoundFrames, level));
}

}  // namespace

class Media : public GameFixture {
 protected:
  // A story whose scenes are given as text after its title and setup; every scene has a picture.
  void WriteMediaStory(const std::string& scenes) {
    WriteStory(StoryDir("m"), "[Title]\n@NAME Tunes\n@AUTHOR a\n@ARTIST b\n[Setup]\n"
                              "@MUSICDIR music\\\n@SOUNDDIR sounds\n@FIRSTSCENE A\n" + scenes);
    WritePicture(StoryDir("m") + "/p.bmp");
    testing_support::WriteFile(StoryDir("m") + "/music/theme.mid", Song(60));
    testing_support::WriteFile(StoryDir("m") + "/music/other.mid", Song(72));
    testing_support::WriteFile(StoryDir("m") + "/music/long.mid", Song(64, true));
    testing_support::WriteFile(StoryDir("m") + "/sounds/bell.wav", Sound());
    testing_support::WriteFile(StoryDir("m") + "/sounds/chime.wav", Sound(50));
  }

  // Note-ons the music output received, by key (0 for any).
  int NoteOns(int key = 0) {
    int count = 0;
    for (const auto& message : m_midiLog->Messages())
      if (message.bytes.size() == 3 && (message.bytes[0] & 0xF0) == 0x90 && message.bytes[2] > 0 &&
          (key == 0 || message.bytes[1] == key))
        ++count;
    return count;
  }
  // "All notes off" controller messages: the output is told this when the music stops.
  int AllNotesOff() {
    int count = 0;
    for (const auto& message : m_midiLog->Messages())
      if (message.bytes.size() == 3 && (message.bytes[0] & 0xF0) == 0xB0 && message.bytes[1] == 123)
        ++count;
    return count;
  }
  bool MusicPlaying() { return Doc().MusicPlayer().IsPlaying(); }
  uint64_t SoundFrames() { return m_probe->FramesTaken(); }
  // Waits until the sound output has taken frames and then stayed still for a while.
  uint64_t SettledSoundFrames() {
    uint64_t last = SoundFrames();
    for (;;) {
      Pause(400);
      uint64_t now = SoundFrames();
      if (now == last) return now;
      last = now;
    }
  }
};

TEST_F(Media, MusicCarriesOnWhileScenesNameNoneOrTheSameFile) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC long.mid\n@OPTION1 on\n@LINK1 B\n"
                  "[B]\n@IMAGE p.bmp\n@OPTION1 on\n@LINK1 C\n"
                  "[C]\n@IMAGE p.bmp\n@MUSIC LONG.MID\n");
  StartGame("Tunes");
  ASSERT_TRUE(WaitUntil([&] { return NoteOns(64) >= 1; }));
  Doc().FollowOption(0);
  Doc().FollowOption(0);
  EXPECT_EQ(Doc().GetSceneName(), "C");
  EXPECT_TRUE(MusicPlaying());
  EXPECT_EQ(AllNotesOff(), 0);  // never stopped on the way
  EXPECT_EQ(NoteOns(64), 1);
  EXPECT_EQ(Doc().MusicFile().GetPath(), StoryDir("m") + "/music/long.mid");
}

TEST_F(Media, ReloadKeepsTheSameMusicPlaying) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC long.mid\n@DESCRIPTION Before.\n");
  StartGame("Tunes");
  ASSERT_TRUE(WaitUntil([&] { return NoteOns(64) >= 1; }));
  WriteStory(StoryDir("m"), "[Title]\n@NAME Tunes\n@AUTHOR a\n@ARTIST b\n[Setup]\n@MUSICDIR music\\\n"
                            "@FIRSTSCENE A\n[A]\n@IMAGE p.bmp\n@MUSIC long.mid\n@DESCRIPTION After.\n");
  ASSERT_TRUE(Doc().ReloadStory());
  EXPECT_EQ(Doc().GetSceneText(), "After.");
  EXPECT_TRUE(MusicPlaying());
  EXPECT_EQ(AllNotesOff(), 0);
  EXPECT_EQ(NoteOns(64), 1);
}

TEST_F(Media, StopInAnyCaseEndsTheMusicAndItStaysSilent) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n@OPTION1 on\n@LINK1 B\n"
                  "[B]\n@IMAGE p.bmp\n@MUSIC stop\n@OPTION1 on\n@LINK1 C\n"
                  "[C]\n@IMAGE p.bmp\n");
  StartGame("Tunes");
  ASSERT_TRUE(MusicPlaying());
  Doc().FollowOption(0);
  EXPECT_FALSE(MusicPlaying());
  EXPECT_GT(AllNotesOff(), 0);
  Doc().FollowOption(0);
  Pause(200);
  EXPECT_FALSE(MusicPlaying());
}

TEST_F(Media, MusicLoopCountsArePlaysInAll) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n@MUSICLOOP 3\n@OPTION1 on\n@LINK1 B\n"
                  "[B]\n@IMAGE p.bmp\n@MUSIC other.mid\n@MUSICLOOP 0\n");
  StartGame("Tunes");
  ASSERT_TRUE(WaitUntil([&] { return !MusicPlaying(); }));
  EXPECT_EQ(NoteOns(60), 3);
  Doc().FollowOption(0);
  ASSERT_TRUE(WaitUntil([&] { return !MusicPlaying(); }));
  EXPECT_EQ(NoteOns(72), 1);
}

TEST_F(Media, MusicWithoutLoopCountRepeatsWithoutEnd) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n");
  StartGame("Tunes");
  ASSERT_TRUE(WaitUntil([&] { return NoteOns(60) >= 4; }));
  EXPECT_TRUE(MusicPlaying());
}

TEST_F(Media, EndedMusicStartsAgainWhenASceneNamesIt) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n@MUSICLOOP 1\n@OPTION1 on\n@LINK1 B\n"
                  "[B]\n@IMAGE p.bmp\n@MUSIC Theme.mid\n@MUSICLOOP 1\n");
  StartGame("Tunes");
  ASSERT_TRUE(WaitUntil([&] { return !MusicPlaying(); }));
  Doc().FollowOption(0);
  EXPECT_TRUE(MusicPlaying());
  ASSERT_TRUE(WaitUntil([&] { return !MusicPlaying(); }));
  EXPECT_EQ(NoteOns(60), 2);
}

TEST_F(Media, SoundPlaysItsLoopCount) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n@SOUNDLOOP 2\n");
  StartGame("Tunes");
  EXPECT_EQ(SettledSoundFrames(), 2u * kSoundFrames);
}

TEST_F(Media, SoundWithoutLoopCountPlaysOnce) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n");
  StartGame("Tunes");
  EXPECT_EQ(SettledSoundFrames(), static_cast<uint64_t>(kSoundFrames));
}

TEST_F(Media, SoundDelayPausesBetweenRepeats) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n@SOUNDLOOP 2\n@SOUNDDELAY 300\n");
  StartGame("Tunes");
  ASSERT_EQ(SettledSoundFrames(), 2u * kSoundFrames);
  auto segments = m_probe->Segments();
  ASSERT_GE(segments.size(), 2u);
  // The second play starts only after the first has sounded and the pause has passed.
  auto firstEnd = segments.front().End();
  for (const auto& segment : segments) {
    if (segment.start - firstEnd > std::chrono::milliseconds(100)) {
      EXPECT_GE(segment.start - firstEnd, std::chrono::milliseconds(280));
      return;
    }
    firstEnd = std::max(firstEnd, segment.End());
  }
  ADD_FAILURE() << "no pause between the plays";
}

TEST_F(Media, BackwardRandomRangeReachesTheEngineTheRightWayRound) {
  // 5000-0 reads as 5000 to 16 (bounds are at least 16 ms); taken as written it would make the
  // engine wait 5000 ms before every repeat.
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n@SOUNDLOOP 2\n@SOUNDDELAY RANDOM 5000-0\n"
                  "@OPTION1 on\n@LINK1 B\n[B]\n@IMAGE p.bmp\n@SOUND chime.wav\n@SOUNDDELAY RANDOM 30-400\n");
  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
  StartGame("Tunes");
  EXPECT_EQ(Doc().WavePlayer().GetDelayMin(), 16);
  EXPECT_EQ(Doc().WavePlayer().GetDelayMax(), 5000);
  Doc().FollowOption(0);
  EXPECT_EQ(Doc().WavePlayer().GetDelayMin(), 30);
  EXPECT_EQ(Doc().WavePlayer().GetDelayMax(), 400);
}

TEST_F(Media, BackwardRandomRangeStillPlaysEveryRepeat) {
  // Bounds one apart the wrong way round: the engine would otherwise draw from an empty range.
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n@SOUNDLOOP 3\n@SOUNDDELAY RANDOM 31-30\n");
  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
  StartGame("Tunes");
  EXPECT_EQ(SettledSoundFrames(), 3u * kSoundFrames);
}

TEST_F(Media, SameSoundInTheNextSceneRestartsWithoutReloading) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n@OPTION1 on\n@LINK1 B\n"
                  "[B]\n@IMAGE p.bmp\n@SOUND BELL.WAV\n");
  StartGame("Tunes");
  ASSERT_EQ(SettledSoundFrames(), static_cast<uint64_t>(kSoundFrames));
  // Were the file loaded again, the changed bytes would play.
  testing_support::WriteFile(StoryDir("m") + "/sounds/bell.wav", Sound(7));
  Doc().FollowOption(0);
  EXPECT_EQ(SettledSoundFrames(), 2u * kSoundFrames);
  std::string bytes = m_probe->Bytes();
  EXPECT_EQ(bytes, std::string(2 * kSoundFrames, 100));
}

TEST_F(Media, SoundIsChosenByContentNotByName) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND disguised.ogg\n");
  testing_support::WriteFile(StoryDir("m") + "/sounds/disguised.ogg", Sound(42));
  StartGame("Tunes");
  SettledSoundFrames();
  EXPECT_EQ(m_probe->Bytes(), std::string(kSoundFrames, 42));
}

TEST_F(Media, UnloadableSoundDoesNotSilenceTheNextUseOfTheLastOne) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n@OPTION1 on\n@LINK1 B\n"
                  "[B]\n@IMAGE p.bmp\n@SOUND broken.wav\n@OPTION1 on\n@LINK1 A\n");
  testing_support::WriteFile(StoryDir("m") + "/sounds/broken.wav", riff::Riff("WAVE", ""));
  StartGame("Tunes");
  ASSERT_EQ(SettledSoundFrames(), static_cast<uint64_t>(kSoundFrames));
  Doc().FollowOption(0);
  Doc().FollowOption(0);
  EXPECT_EQ(SettledSoundFrames(), 2u * kSoundFrames);
}

TEST_F(Media, MissingLinkLeavesMusicAndSoundPlaying) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC long.mid\n@SOUND bell.wav\n@SOUNDLOOP FOREVER\n"
                  "@OPTION1 lake\n@LINK1 Lake\n");
  m_store->WriteInt(kSettingsSection, "ValidateFileOn", 0);
  StartGame("Tunes");
  ASSERT_TRUE(WaitUntil([&] { return SoundFrames() > 0; }));
  EXPECT_FALSE(Doc().FollowOption(0));
  EXPECT_TRUE(MusicPlaying());
  uint64_t before = SoundFrames();
  EXPECT_TRUE(WaitUntil([&] { return SoundFrames() > before + kSoundFrames; }));
  EXPECT_EQ(AllNotesOff(), 0);
}

TEST_F(Media, CancelledNewGameRestartsOnlyTheScenesOwnMedia) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n@OPTION1 on\n@LINK1 B\n"
                  "[B]\n@IMAGE p.bmp\n@SOUND bell.wav\n");
  StartGame("Tunes");
  Doc().FollowOption(0);  // B inherits the music of A
  ASSERT_TRUE(MusicPlaying());
  SettledSoundFrames();
  m_probe->Clear();
  m_ui.OnSelectStory = [](StorySelection&) { return false; };
  Doc().NewGame();
  EXPECT_FALSE(MusicPlaying());  // inherited music stays stopped
  EXPECT_EQ(SettledSoundFrames(), static_cast<uint64_t>(kSoundFrames));  // B's own sound again
}

TEST_F(Media, CancelledNewGameOnTheTitlePageStaysSilent) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n@SOUND bell.wav\n");
  m_ui.OnSelectStory = ChooseStory("Tunes");
  Doc().NewGame();
  ASSERT_TRUE(Doc().IsTitlePage());
  m_ui.OnSelectStory = [](StorySelection&) { return false; };
  Doc().NewGame();
  Pause(200);
  EXPECT_FALSE(MusicPlaying());
  EXPECT_EQ(SoundFrames(), 0u);
}

TEST_F(Media, RestoredMusicPlaysInASceneWithoutMusicOfItsOwn) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC other.mid\n@OPTION1 on\n@LINK1 B\n"
                  "[B]\n@IMAGE p.bmp\n@OPTION1 on\n@LINK1 A\n");
  StartGame("Tunes");
  Doc().FollowOption(0);
  ASSERT_TRUE(MusicPlaying());
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().SaveGame();
  EXPECT_EQ(Saved("SaveMusic"), StoryDir("m") + "/music/other.mid");
  Doc().ResetGame();
  EXPECT_FALSE(MusicPlaying());

  m_ui.Answers = {MessageAnswer::Yes};
  Doc().LoadSavedGame();
  ASSERT_TRUE(Doc().IsTitlePage());
  EXPECT_EQ(Doc().PendingMusic(), StoryDir("m") + "/music/other.mid");
  EXPECT_FALSE(MusicPlaying());  // the title page is silent
  Doc().BeginPlay();
  EXPECT_EQ(Doc().GetSceneName(), "B");
  EXPECT_TRUE(MusicPlaying());
  EXPECT_EQ(Doc().MusicFile().GetPath(), StoryDir("m") + "/music/other.mid");
  EXPECT_EQ(Doc().PendingMusic(), "");
}

TEST_F(Media, MusicOffStillConsumesTheRestoredMusic) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n[B]\n@IMAGE p.bmp\n");
  m_store->WriteInt(kSettingsSection, "MusicOn", 0);
  m_store->WriteString(kSettingsSection, "SaveTitle", "Tunes");
  m_store->WriteString(kSettingsSection, "SaveScene", "B");
  m_store->WriteString(kSettingsSection, "SaveMusic", StoryDir("m") + "/music/theme.mid");
  m_ui.Answers = {MessageAnswer::Yes};
  Doc().LoadSavedGame();
  Doc().BeginPlay();
  EXPECT_FALSE(MusicPlaying());
  EXPECT_EQ(Doc().PendingMusic(), "");
  EXPECT_EQ(NoteOns(), 0);
}

TEST_F(Media, RestoreThatFailsLeavesNoMusicWaiting) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n");
  m_store->WriteString(kSettingsSection, "SaveTitle", "Tunes");
  m_store->WriteString(kSettingsSection, "SaveScene", "A");
  m_store->WriteString(kSettingsSection, "SaveMusic", StoryDir("m") + "/music/theme.mid");
  m_ui.Answers = {MessageAnswer::No};
  Doc().LoadSavedGame();
  EXPECT_EQ(Doc().PendingMusic(), "");
}

TEST_F(Media, SoundOptionStopsAndRestartsTheScenesSound) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n@SOUNDLOOP FOREVER\n");
  StartGame("Tunes");
  ASSERT_TRUE(WaitUntil([&] { return SoundFrames() > 0; }));
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    choice.Settings.SoundOn = 0;
    return true;
  };
  Doc().ShowOptions();
  uint64_t stopped = SettledSoundFrames();
  Pause(300);
  EXPECT_EQ(SoundFrames(), stopped);
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    choice.Settings.SoundOn = 1;
    return true;
  };
  Doc().ShowOptions();
  EXPECT_TRUE(WaitUntil([&] { return SoundFrames() > stopped + kSoundFrames; }));
}

TEST_F(Media, MusicOptionOnTheTitlePageOnlyStoresTheSetting) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n");
  m_store->WriteInt(kSettingsSection, "MusicOn", 0);
  m_ui.OnSelectStory = ChooseStory("Tunes");
  Doc().NewGame();
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    choice.Settings.MusicOn = 1;
    return true;
  };
  Doc().ShowOptions();
  Pause(200);
  EXPECT_FALSE(MusicPlaying());
  Doc().BeginPlay();
  EXPECT_TRUE(MusicPlaying());
}

TEST_F(Media, MusicOptionOffStopsAndOnPlaysAgain) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n");
  StartGame("Tunes");
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    choice.Settings.MusicOn = 0;
    return true;
  };
  Doc().ShowOptions();
  EXPECT_FALSE(MusicPlaying());
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    choice.Settings.MusicOn = 1;
    return true;
  };
  Doc().ShowOptions();
  EXPECT_TRUE(MusicPlaying());
}

TEST_F(Media, ChangedMusicDevicePlaysTheMusicFromItsStart) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n");
  StartGame("Tunes");
  ASSERT_TRUE(WaitUntil([&] { return NoteOns(60) >= 1; }));
  m_midiLog->Clear();
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    choice.Settings.MusicDevice = platform::CaptureMidiOut::kDeviceName;
    choice.MusicDeviceChanged = true;
    return true;
  };
  Doc().ShowOptions();
  EXPECT_TRUE(MusicPlaying());
  EXPECT_GT(AllNotesOff(), 0);
  EXPECT_TRUE(WaitUntil([&] { return NoteOns(60) >= 1; }));
  EXPECT_EQ(Doc().Settings().MusicDevice, "Capture");
}

TEST_F(Media, ChangedSoundDeviceReplaysTheSound) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@SOUND bell.wav\n");
  StartGame("Tunes");
  ASSERT_EQ(SettledSoundFrames(), static_cast<uint64_t>(kSoundFrames));
  m_ui.OnEditOptions = [](OptionsChoice& choice) {
    choice.Settings.SoundDevice = platform::NullWaveOut::kDeviceName;
    choice.SoundDeviceChanged = true;
    return true;
  };
  Doc().ShowOptions();
  EXPECT_EQ(SettledSoundFrames(), 2u * kSoundFrames);
}

TEST_F(Media, ClosingStopsMusicAndSound) {
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n@SOUND bell.wav\n@SOUNDLOOP FOREVER\n");
  StartGame("Tunes");
  Doc().CloseGame();
  EXPECT_FALSE(MusicPlaying());
  EXPECT_EQ(Doc().MusicFile().GetPath(), "");
  uint64_t stopped = SettledSoundFrames();
  Pause(300);
  EXPECT_EQ(SoundFrames(), stopped);
}

TEST_F(Media, WithoutAnyMidiDeviceTheAutomaticChoiceIsKept) {
  // Storing an empty name would leave the player silent for good once a device is back.
  WriteMediaStory("[A]\n@IMAGE p.bmp\n@MUSIC theme.mid\n");
  platform::MidiOutSystem noMidi{std::vector<std::unique_ptr<platform::MidiOutBackend>>{}};
  CVeskoGameDoc doc(m_ui, *m_store, m_waveDevices, noMidi);
  doc.ResetGame();
  m_ui.OnSelectStory = ChooseStory("Tunes");
  doc.NewGame();
  ASSERT_TRUE(doc.IsTitlePage());
  doc.BeginPlay();
  EXPECT_EQ(doc.GetSceneName(), "A");
  EXPECT_FALSE(doc.MusicPlayer().IsPlaying());
  doc.CloseGame();
  EXPECT_EQ(Saved("MusicDevice"), "<Automatic>");
}
