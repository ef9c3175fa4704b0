// The sound generators' files: WAV and Ogg Vorbis that the player reads as written, and loops
// without a seam.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/storytool/ToolRunner.h"
#include "tests/support/TestFiles.h"
#include "tools/sounds/SoundFiles.h"
#include "tools/sounds/Synth.h"

namespace {

// The PCM data of the WAV file the story tool writes for what the player makes of a sound.
std::string DecodedData(const std::string& file, const std::string& name) {
  testing_support::TempDir dir;
  testing_support::WriteFile(dir / name, file);
  ToolRun run = RunStoryTool({"decode", dir / name, dir / "out.wav"});
  EXPECT_EQ(run.status, 0) << run.err;
  std::string wav = testing_support::ReadFile(dir / "out.wav");
  size_t data = wav.find("data");
  if (data == std::string::npos || wav.size() < data + 8) return std::string();
  uint32_t size = 0;
  for (int i = 3; i >= 0; --i) size = size << 8 | static_cast<uint8_t>(wav[data + 4 + i]);
  return wav.substr(data + 8, size);
}

int16_t Sample16(const std::string& data, size_t index) {
  return static_cast<int16_t>(static_cast<uint8_t>(data[index * 2]) | static_cast<uint8_t>(data[index * 2 + 1]) << 8);
}

TEST(SoundFiles, WavSamplesReachThePlayerClippedAndScaled) {
  const synth::Samples samples{-1.0f, 0.0f, 0.5f, 1.0f, 2.0f};
  std::string data = DecodedData(EncodeWav(samples, 1, 8000, 16), "a.wav");
  ASSERT_EQ(data.size(), 10u);
  EXPECT_EQ(Sample16(data, 0), -32767);
  EXPECT_EQ(Sample16(data, 1), 0);
  EXPECT_EQ(Sample16(data, 2), 16384);
  EXPECT_EQ(Sample16(data, 3), 32767);
  EXPECT_EQ(Sample16(data, 4), 32767);  // beyond full scale is clipped

  // Eight bits are unsigned around 128; an odd count is padded in the file but not played.
  data = DecodedData(EncodeWav({-1.0f, 0.0f, 1.0f}, 1, 8000, 8), "b.wav");
  EXPECT_EQ(data, std::string("\x01\x80\xff", 3));
}

TEST(SoundFiles, OggKeepsItsLengthAndIsTheSameForTheSameInput) {
  synth::Samples tone(22050);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<float>(0.5 * std::sin(2 * M_PI * 440 * i / 22050.0));
  std::string first = EncodeOgg(tone, 1, 22050, 0.2f, 7, "tone");
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first, EncodeOgg(tone, 1, 22050, 0.2f, 7, "tone"));
  EXPECT_NE(first, EncodeOgg(tone, 1, 22050, 0.2f, 8, "tone"));
  std::string data = DecodedData(first, "tone.ogg");
  EXPECT_EQ(data.size(), tone.size() * 2);  // 16-bit mono, every frame and no more
  double peak = 0;
  for (size_t i = 0; i < data.size() / 2; ++i) peak = std::max(peak, std::fabs(Sample16(data, i) / 32768.0));
  EXPECT_NEAR(peak, 0.5, 0.05);
}

TEST(Synth, LoopJoinsItsEndToItsStartWithoutASeam) {
  synth::Samples ramp(1000);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<float>(i) / 1000.0f;
  synth::Samples looped = synth::Loop(ramp, 100);
  ASSERT_EQ(looped.size(), 900u);
  // Played round and round, the last sample is followed by the one that followed it before.
  EXPECT_FLOAT_EQ(looped.back(), ramp[899]);
  EXPECT_FLOAT_EQ(looped.front(), ramp[900]);
  for (size_t i = 100; i < 900; ++i) ASSERT_FLOAT_EQ(looped[i], ramp[i]);
  // Through the blend no step is larger than a few of the original ones.
  for (size_t i = 1; i < 100; ++i) EXPECT_LT(std::fabs(looped[i] - looped[i - 1]), 0.03f) << i;
}

}  // namespace
