// Music and sound through a real sound server: a private PulseAudio whose null sink is recorded
// from its monitor. The "<Automatic>" devices lead there: FluidSynth through its PulseAudio
// driver, the wave engine through ALSA's "default" device. Skipped where PulseAudio cannot start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <memory>

#include "audio/MidiPlayer.h"
#include "audio/MidiSequence.h"
#include "audio/OutputDevices.h"
#include "audio/SoundVorbis.h"
#include "audio/WavePlayer.h"
#include "game/GameDoc.h"
#include "game/SettingsStore.h"
#include "tests/game/ScriptedUi.h"
#include "tests/game/StoryFolders.h"
#include "tests/sound_server/PrivatePulseAudio.h"
#include "tests/audio/SmfBuilder.h"
#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"

namespace {

using sound_server::Clock;
using namespace std::chrono_literals;

const std::string kStories = FABLEWICK_SOURCE_DIR "/Stories";

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

struct EndListener : IWaveListener {
  void OnWaveEnd() override { ended = true; }
  std::atomic<bool> ended{false};
};

class SoundServer : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string whyNot;
    if (!pulse.Start(whyNot)) GTEST_SKIP() << "no private PulseAudio: " << whyNot;
  }

  // Starts a sound file on the "<Automatic>" wave device, as often as loops says.
  void PlaySound(CSoundVorbis& sound, const std::string& path, int loops) {
    ASSERT_TRUE(sound.Load(path.c_str())) << sound.GetErrorText();
    ASSERT_TRUE(engine.Init(kAutomaticDeviceName)) << engine.GetLastErrorText();
    ASSERT_TRUE(engine.Open(sound.GetFormat(16))) << engine.GetLastErrorText();
    ASSERT_TRUE(engine.Play(&sound, &listener, loops, 0, 0)) << engine.GetLastErrorText();
  }

  sound_server::PrivatePulseAudio pulse;
  CWavePlayer engine;
  EndListener listener;
};

// Seconds from the first to the last sample of the sound louder than the recording's threshold,
// decoded as the engine receives it.
double LoudSeconds(CSoundVorbis& sound, int rate) {
  CWavePlayer decoder;
  EXPECT_TRUE(decoder.Init("null"));
  EXPECT_TRUE(decoder.Open(sound.GetFormat(16)));
  sound.Rewind();
  std::vector<int16_t> samples(4096);
  long frame = 0, first = -1, last = -1;
  const int channels = sound.GetFormat(16)->nChannels;
  while (uint32_t bytes = sound.Fill(&decoder, reinterpret_cast<uint8_t*>(samples.data()), 8192)) {
    for (uint32_t i = 0; i < bytes / 2; ++i) {
      if (std::abs(samples[i]) > 300) {
        if (first < 0) first = frame + i / channels;
        last = frame + i / channels;
      }
    }
    frame += bytes / 2 / channels;
  }
  return first < 0 ? 0 : double(last - first) / rate;
}

}  // namespace

TEST_F(SoundServer, DemoOggSoundsWholeThroughTheAutomaticWaveDevice) {
  const std::string path = kStories + "/Autumn/sounds/creak.ogg";
  CSoundVorbis sound;
  ASSERT_TRUE(sound.Load(path.c_str()));
  const double expected = LoudSeconds(sound, static_cast<int>(sound.GetFormat(16)->nSamplesPerSec));
  ASSERT_GT(expected, 1.0);
  const Clock::time_point start = Clock::now();
  PlaySound(sound, path, 0);
  ASSERT_TRUE(WaitUntil([&] { return listener.ended.load(); }, 20s));
  std::this_thread::sleep_for(300ms);
  Clock::time_point first, last;
  ASSERT_TRUE(pulse.LoudSpan(start, first, last)) << "nothing reached the sink";
  EXPECT_LT(Seconds(first - start), 0.5);
  EXPECT_NEAR(Seconds(last - first), expected, 0.15);
  engine.Stop();
}

TEST_F(SoundServer, TunesSoundThroughTheAutomaticSynthesizerForTheirLength) {
  CMidiPlayer player;
  ASSERT_TRUE(player.OpenByName(kAutomaticDeviceName)) << player.GetErrorText();
  // Four notes of a quarter second each, the first after half a second.
  testing_support::TempDir dir;
  std::string notes;
  for (int key : {60, 64, 67, 72}) notes += smf::NoteOn(notes.empty() ? 96 : 0, key) + smf::NoteOn(48, key, 0);
  testing_support::WriteFile(dir / "tune.mid", smf::Header(0, 1, 96) + smf::Track(notes + smf::EndOfTrack()));
  CMidiSequence tune;
  ASSERT_TRUE(tune.Load(dir / "tune.mid", false, true));
  Clock::time_point start = Clock::now();
  ASSERT_TRUE(player.Play(&tune, 0)) << player.GetErrorText();
  ASSERT_TRUE(WaitUntil([&] { return !player.IsPlaying(); }, 10s));
  std::this_thread::sleep_for(1500ms);  // the last note dies away
  Clock::time_point first, last;
  ASSERT_TRUE(pulse.LoudSpan(start, first, last)) << "nothing reached the sink";
  EXPECT_NEAR(Seconds(first - start), 0.5, 0.1);
  EXPECT_GT(Seconds(last - first), 1.0 - 0.05);
  EXPECT_LT(Seconds(last - first), 1.0 + 1.0) << "only the release of the last note follows it";

  // A demo story's tune sounds until it is stopped, and falls silent then.
  player.Stop();
  player.Close();
  ASSERT_TRUE(player.OpenByName(kAutomaticDeviceName)) << player.GetErrorText();
  ASSERT_TRUE(tune.Load(kStories + "/Lantern/music/dawn.mid", false, true));
  start = Clock::now();
  ASSERT_TRUE(player.Play(&tune, 0)) << player.GetErrorText();
  std::this_thread::sleep_for(2500ms);
  const Clock::time_point stop = Clock::now();
  player.Stop();
  std::this_thread::sleep_for(1s);
  player.Close();
  ASSERT_TRUE(pulse.LoudSpan(start, first, last)) << "nothing reached the sink";
  EXPECT_LT(Seconds(first - start), 1.0);
  EXPECT_LT(Seconds(last - stop), 1.2) << "the notes are released at the stop";
}

// A sound server that goes away ends the sound instead of leaving it hanging.
TEST_F(SoundServer, KillingTheServerEndsTheSound) {
  CSoundVorbis sound;
  PlaySound(sound, kStories + "/Lantern/sounds/wind.ogg", 0);  // ten seconds
  Clock::time_point first;
  ASSERT_TRUE(WaitUntil([&] { return pulse.FirstLoudSample(Clock::now() - 1s, first); }, 3s));
  pulse.Kill();
  EXPECT_TRUE(WaitUntil([&] { return listener.ended.load(); }, 5s));
  engine.Stop();
}

TEST_F(SoundServer, DeviceListsTheDefaultOutputAndNoConverters) {
  if (access("/usr/lib/x86_64-linux-gnu/alsa-lib/libasound_module_pcm_pulse.so", R_OK) != 0 &&
      access("/usr/lib/aarch64-linux-gnu/alsa-lib/libasound_module_pcm_pulse.so", R_OK) != 0)
    GTEST_SKIP() << "ALSA's PulseAudio plugin is not installed";
  FILE* tool = popen(FABLEWICK_STORY_TOOL " devices", "r");
  ASSERT_NE(tool, nullptr);
  std::string listing;
  char line[256];
  while (std::fgets(line, sizeof line, tool)) listing += line;
  EXPECT_EQ(pclose(tool), 0);
  EXPECT_EQ(listing.rfind("wave\t0\tDefault (PulseAudio)\n", 0), 0u) << listing;
  for (const char* converter : {"rate", "speex", "upmix", "vdownmix", "jack", "oss"})
    EXPECT_EQ(listing.find(converter), std::string::npos) << converter << " in\n" << listing;
  EXPECT_NE(listing.find("wave\t1\tPulseAudio Sound Server\n"), std::string::npos) << listing;
}

TEST_F(SoundServer, SceneChangeStopsOneSoundAndStartsTheNext) {
  // A long low tone in the first scene, a short high one in the second.
  auto tone = [](double frequency, double seconds) {
    std::string samples;
    for (int i = 0; i < int(seconds * 22050); ++i)
      samples += riff::LE16(static_cast<uint16_t>(int16_t(9000 * std::sin(2 * M_PI * frequency * i / 22050))));
    return riff::Wave(riff::PcmFormat(1, 22050, 16), samples);
  };
  testing_support::TempDir dir;
  const std::string story = dir / "Stories/Tones";
  WriteStory(story, "[Title]\n@NAME Tones\n@AUTHOR a\n@ARTIST b\n[Setup]\n@SOUNDDIR sounds\n"
                    "@FIRSTSCENE A\n[A]\n@IMAGE p.bmp\n@SOUND low.wav\n@OPTION1 on\n@LINK1 B\n"
                    "[B]\n@IMAGE p.bmp\n@SOUND high.wav\n");
  WritePicture(story + "/p.bmp");
  testing_support::WriteFile(story + "/sounds/low.wav", tone(300, 5));
  testing_support::WriteFile(story + "/sounds/high.wav", tone(1200, 1));
  CSettingsStore store(dir / "Fablewick.conf");
  store.WriteString(kSettingsSection, "StoriesPath", dir / "Stories");
  CScriptedUi ui;
  CVeskoGameDoc doc(ui, store);
  doc.ResetGame();
  ui.OnSelectStory = ChooseStory("Tones");
  doc.NewGame();
  ASSERT_TRUE(doc.IsTitlePage());
  const Clock::time_point start = Clock::now();
  doc.BeginPlay();
  Clock::time_point first;
  ASSERT_TRUE(WaitUntil([&] { return pulse.FirstLoudSample(start, first); }, 3s));
  std::this_thread::sleep_for(600ms);
  const Clock::time_point change = Clock::now();
  ASSERT_TRUE(doc.FollowOption(0));
  std::this_thread::sleep_for(2s);
  doc.CloseGame();
  // Zero crossings per second are twice the tone's frequency.
  EXPECT_NEAR(pulse.CrossingsPerSecond(change - 400ms, 300ms), 600, 60) << "the low tone before";
  EXPECT_NEAR(pulse.CrossingsPerSecond(change + 300ms, 500ms), 2400, 240) << "the high tone after";
  Clock::time_point loudFirst, loudLast;
  ASSERT_TRUE(pulse.LoudSpan(change, loudFirst, loudLast));
  EXPECT_LT(Seconds(loudLast - change), 1.4) << "the low tone went on after the change";
}
