// Whole paths through the program without a sound card: files loaded by the sound loaders and
// played by the wave engine into the null device, and a MIDI file read by the sequence reader
// and rendered by the built-in synthesizer without an audio driver.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/MidiSequence.h"
#include "audio/MidiStreamEvent.h"
#include "audio/SoundVorbis.h"
#include "audio/SoundWav.h"
#include "platform/FluidSynthMidiOut.h"
#include "tests/audio/SmfBuilder.h"
#include "tests/audio/VorbisEncoder.h"
#include "tests/audio_output/OutputTestSupport.h"
#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"

namespace {

using namespace output_test;

// The root mean square of 16-bit little-endian samples, 0 to 1.
double Loudness(const std::string& bytes, size_t begin = 0, size_t end = std::string::npos) {
  end = std::min(end, bytes.size() / 2);
  if (end <= begin) return 0;
  double sum = 0;
  for (size_t i = begin; i < end; ++i) {
    const int16_t sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                                (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    sum += double(sample) * sample;
  }
  return std::sqrt(sum / double(end - begin)) / 32768.0;
}

std::string SineSamples(int channels, int rate, int frames) {
  std::string bytes;
  for (int frame = 0; frame < frames; ++frame)
    for (int channel = 0; channel < channels; ++channel) {
      const auto sample = static_cast<int16_t>(12000 * std::sin(frame * 2 * M_PI * 440 / rate));
      bytes += riff::LE16(static_cast<uint16_t>(sample));
    }
  return bytes;
}

TEST(EndToEnd, WaveFilePlaysWholeIntoTheNullDevice) {
  testing_support::TempDir folder;
  const std::string samples = SineSamples(2, 44100, 22050);
  testing_support::WriteFile(folder / "tone.wav",
                             riff::Wave(riff::PcmFormat(2, 44100, 16), samples));
  CSoundWav sound;
  ASSERT_TRUE(sound.Load((folder / "tone.wav").c_str())) << sound.GetErrorText();
  NullRig rig;
  ASSERT_TRUE(rig.player->Init(""));
  ASSERT_TRUE(rig.player->Open(sound.GetFormat(16))) << rig.player->GetLastErrorText();
  ASSERT_TRUE(rig.player->Play(&sound, &rig.listener, 2, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }));
  rig.player->Stop();
  EXPECT_TRUE(sound.Close());
  const std::string played = rig.probe->Bytes();
  EXPECT_EQ(played.size(), 2 * samples.size());
  EXPECT_EQ(played, samples + samples);
  EXPECT_GT(Loudness(played), 0.2);
}

TEST(EndToEnd, VorbisFilePlaysWholeIntoTheNullDevice) {
  testing_support::TempDir folder;
  const long frames = 11025;
  testing_support::WriteFile(
      folder / "tone.ogg", vorbis_test::Encode(1, 22050, frames, vorbis_test::Sine(440, 22050)));
  CSoundVorbis sound;
  ASSERT_TRUE(sound.Load((folder / "tone.ogg").c_str())) << sound.GetErrorText();
  NullRig rig;
  ASSERT_TRUE(rig.player->Init(""));
  const WAVEFORMATEX* format = sound.GetFormat(16);
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->nSamplesPerSec, 22050u);
  ASSERT_TRUE(rig.player->Open(format)) << rig.player->GetLastErrorText();
  ASSERT_TRUE(rig.player->Play(&sound, &rig.listener, 0, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }));
  rig.player->Stop();
  const std::string played = rig.probe->Bytes();
  EXPECT_EQ(played.size(), size_t(frames) * 2);
  EXPECT_GT(Loudness(played, frames / 10, frames * 9 / 10), 0.1);
}

// Renders the merged events of a sequence: each event is sent at its time, worked out from the
// ticks and the tempo in force, and the samples in between are rendered.
std::string RenderSequence(CMidiSequence& sequence, platform::FluidSynthRenderer& synth,
                           int rate, double tailSeconds) {
  std::string bytes;
  double tempo = 500000, seconds = 0;
  uint64_t lastTick = 0, renderedFrames = 0;
  auto renderUntil = [&](double time) {
    const uint64_t target = static_cast<uint64_t>(std::llround(time * rate));
    std::vector<int16_t> block;
    while (renderedFrames < target) {
      const int frames = static_cast<int>(std::min<uint64_t>(target - renderedFrames, 512));
      block.assign(size_t(frames) * 2, 0);
      EXPECT_TRUE(synth.Render(block.data(), frames));
      bytes.append(reinterpret_cast<const char*>(block.data()), block.size() * 2);
      renderedFrames += frames;
    }
  };
  for (const MidiStreamEvent& event : ListMidiStreamEvents(sequence)) {
    seconds += double(event.tick - lastTick) * tempo / sequence.GetDivision() / 1e6;
    lastTick = event.tick;
    renderUntil(seconds);
    if (event.type == MEVT_TEMPO) tempo = event.data;
    if (event.type == MEVT_SHORTMSG) synth.SendShort(event.data);
  }
  renderUntil(seconds + tailSeconds);
  return bytes;
}

TEST(EndToEnd, MidiFileRendersThroughTheBuiltInSynthesizer) {
  if (platform::FluidSynthMidiOut::FindSoundFont().empty()) GTEST_SKIP() << "no soundfont";
  testing_support::TempDir folder;
  // Two notes of 240 ticks at 480 per quarter note: 250 ms, then 125 ms after the tempo doubles.
  testing_support::WriteFile(
      folder / "tune.mid",
      smf::Header(0, 1, 480) +
          smf::Track(smf::Vlq(0) + smf::Bytes({0xC0, 0}) + smf::NoteOn(0, 69) +
                     smf::NoteOn(240, 69, 0) + smf::Meta(0, 0x51, smf::Bytes({0x03, 0xD0, 0x90})) +
                     smf::NoteOn(0, 72) + smf::NoteOn(240, 72, 0) + smf::EndOfTrack()));
  CMidiSequence sequence;
  ASSERT_TRUE(sequence.Load(folder / "tune.mid", false, true));
  platform::FluidSynthRenderer synth(44100);
  std::string failure;
  ASSERT_EQ(synth.Open(failure), MMSYSERR_NOERROR) << failure;
  const std::string rendered = RenderSequence(sequence, synth, 44100, 0.5);
  // 0.25 s + 0.125 s of notes and half a second after them, in 16-bit stereo.
  EXPECT_EQ(rendered.size(), size_t(std::llround((0.375 + 0.5) * 44100)) * 4);
  const size_t quarterSecond = 44100 / 4 * 2;  // samples, both channels
  EXPECT_GT(Loudness(rendered, 0, quarterSecond), 0.002) << "the first note sounds";
  EXPECT_GT(Loudness(rendered, quarterSecond, quarterSecond * 3 / 2), 0.002) << "the second";
  synth.Close();
}

// A system-exclusive message that comes in parts (as a file's escape packets continue it) takes
// effect once whole: General MIDI System On resets the program chosen before it.
TEST(EndToEnd, BuiltInSynthesizerTakesSystemExclusiveMessagesInParts) {
  if (platform::FluidSynthMidiOut::FindSoundFont().empty()) GTEST_SKIP() << "no soundfont";
  auto render = [](bool violin, bool reset) {
    platform::FluidSynthRenderer synth(22050);
    std::string failure;
    EXPECT_EQ(synth.Open(failure), MMSYSERR_NOERROR) << failure;
    if (violin) synth.SendShort(0xC0 | (40 << 8));
    if (reset) {
      const uint8_t first[] = {0xF0, 0x7E, 0x7F};
      const uint8_t rest[] = {0x09, 0x01, 0xF7};
      synth.SendLong(first, sizeof first);
      synth.SendLong(rest, sizeof rest);
    }
    synth.SendShort(0x90 | (60 << 8) | (100 << 16));
    std::vector<int16_t> samples(2 * 4410);
    EXPECT_TRUE(synth.Render(samples.data(), 4410));
    return samples;
  };
  const std::vector<int16_t> piano = render(false, false);
  ASSERT_NE(render(true, false), piano);
  EXPECT_EQ(render(true, true), piano);
}

}  // namespace
