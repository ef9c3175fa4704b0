#include "audio/SoundVorbis.h"

#include <gtest/gtest.h>
#include <ogg/ogg.h>

#include <cmath>
#include <cstring>
#include <string>

#include "audio/SoundLoaderChoice.h"
#include "audio/WavePlayer.h"
#include "tests/audio/VorbisEncoder.h"
#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"

using testing_support::OpenDescriptorCount;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

int16_t Sample16(const std::string& pcm, size_t index) {
  return static_cast<int16_t>(static_cast<uint8_t>(pcm[2 * index]) |
                              static_cast<uint8_t>(pcm[2 * index + 1]) << 8);
}

class SoundVorbisTest : public ::testing::Test {
 protected:
  static constexpr long kRate = 22050;
  static constexpr long kFrames = 11025;  // half a second

  std::string Write(const std::string& name, const std::string& bytes) {
    WriteFile(dir / name, bytes);
    return dir / name;
  }
  std::string StereoTone() {
    return vorbis_test::Encode(2, kRate, kFrames, vorbis_test::Sine(440, kRate));
  }

  // Opens the engine for the loader's format at the given depth, as the game does.
  void OpenEngine(int bits) {
    ASSERT_TRUE(engine.Init("null")) << engine.GetLastErrorText();
    ASSERT_TRUE(engine.Open(sound.GetFormat(bits))) << engine.GetLastErrorText();
    ASSERT_EQ(engine.GetBytesPerSample(), bits / 8);
  }

  // Everything Fill delivers until it runs dry.
  std::string Drain(uint32_t capacity = 8192) {
    std::string out;
    std::string buffer(capacity, '\0');
    while (uint32_t count = sound.Fill(&engine, reinterpret_cast<uint8_t*>(buffer.data()), capacity)) {
      EXPECT_LE(count, capacity);
      out.append(buffer, 0, count);
    }
    return out;
  }

  TempDir dir;
  CSoundVorbis sound;
  CWavePlayer engine;
};

}  // namespace

TEST_F(SoundVorbisTest, DescribesEightAndSixteenBitPcmOfTheStream) {
  std::string path = Write("tone.ogg", vorbis_test::Encode(2, 44100, 4410, vorbis_test::Sine(440, 44100)));
  ASSERT_TRUE(sound.Load(path.c_str())) << sound.GetErrorText();
  const WAVEFORMATEX* format = sound.GetFormat(8);
  EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format->nChannels, 2);
  EXPECT_EQ(format->nSamplesPerSec, 44100u);
  EXPECT_EQ(format->wBitsPerSample, 8);
  EXPECT_EQ(format->nBlockAlign, 2);
  EXPECT_EQ(format->nAvgBytesPerSec, 88200u);
  EXPECT_EQ(format->cbSize, 0);
  EXPECT_EQ(sound.GetFormat(16), format);
  EXPECT_EQ(format->wBitsPerSample, 16);
  EXPECT_EQ(format->nBlockAlign, 4);
  EXPECT_EQ(format->nAvgBytesPerSec, 176400u);
}

TEST_F(SoundVorbisTest, DescribesNoStreamWhileNothingIsLoaded) {
  const WAVEFORMATEX* format = sound.GetFormat(16);
  EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format->nChannels, 0);
  EXPECT_EQ(format->nSamplesPerSec, 0u);
  EXPECT_EQ(format->wBitsPerSample, 16);
  EXPECT_EQ(format->nBlockAlign, 0);
  EXPECT_EQ(format->nAvgBytesPerSec, 0u);
}

TEST_F(SoundVorbisTest, DecodesSignedSixteenBitLittleEndian) {
  ASSERT_TRUE(sound.Load(Write("tone.ogg", StereoTone()).c_str()));
  OpenEngine(16);
  std::string pcm = Drain();
  ASSERT_EQ(pcm.size(), static_cast<size_t>(kFrames) * 2 * 2);
  // The decoded wave follows the encoded sine closely (a lossy codec, so not exactly).
  vorbis_test::SampleSource sine = vorbis_test::Sine(440, kRate);
  double error = 0;
  for (long frame = 1000; frame < kFrames - 1000; ++frame)
    for (int channel = 0; channel < 2; ++channel)
      error += std::fabs(Sample16(pcm, 2 * frame + channel) / 32768.0 - sine(frame, channel));
  EXPECT_LT(error / ((kFrames - 2000) * 2), 0.02);
}

TEST_F(SoundVorbisTest, DecodesUnsignedEightBitsOfTheSameWave) {
  std::string bytes = StereoTone();
  ASSERT_TRUE(sound.Load(Write("tone.ogg", bytes).c_str()));
  OpenEngine(16);
  std::string wide = Drain();

  CSoundVorbis narrowSound;
  ASSERT_TRUE(narrowSound.Load((dir / "tone.ogg").c_str()));
  CWavePlayer narrowEngine;
  ASSERT_TRUE(narrowEngine.Init("null"));
  ASSERT_TRUE(narrowEngine.Open(narrowSound.GetFormat(8)));
  std::string narrow;
  uint8_t buffer[8192];
  while (uint32_t count = narrowSound.Fill(&narrowEngine, buffer, sizeof buffer))
    narrow.append(reinterpret_cast<char*>(buffer), count);

  ASSERT_EQ(narrow.size() * 2, wide.size());
  for (size_t i = 0; i < narrow.size(); ++i) {
    int fromNarrow = static_cast<uint8_t>(narrow[i]) - 128;
    double fromWide = Sample16(wide, i) / 256.0;
    ASSERT_LE(std::fabs(fromNarrow - fromWide), 1.0) << i;
  }
}

TEST_F(SoundVorbisTest, RewindsToTheFirstSample) {
  ASSERT_TRUE(sound.Load(Write("tone.ogg", StereoTone()).c_str()));
  OpenEngine(16);
  std::string first = Drain();
  EXPECT_EQ(Drain(), "");  // stays at the end
  sound.Rewind();
  EXPECT_EQ(Drain(1000), first);
  // Rewinding in the middle starts again as well.
  uint8_t buffer[4096];
  sound.Rewind();
  ASSERT_EQ(sound.Fill(&engine, buffer, sizeof buffer), sizeof buffer);
  sound.Rewind();
  EXPECT_EQ(Drain(), first);
}

TEST_F(SoundVorbisTest, FillsWholeFramesOnly) {
  ASSERT_TRUE(sound.Load(Write("six.ogg", vorbis_test::Encode(6, kRate, 4000, vorbis_test::Sine(300, kRate))).c_str()));
  OpenEngine(16);
  uint8_t buffer[8192];
  uint32_t count = sound.Fill(&engine, buffer, sizeof buffer);
  EXPECT_EQ(count, 8192u / 12u * 12u);
  sound.Rewind();
  EXPECT_EQ(Drain().size(), 4000u * 12u);
}

TEST_F(SoundVorbisTest, EndsChainedStreamsAtTheFirstStreamOfAnotherFormat) {
  using vorbis_test::Encode;
  using vorbis_test::Sine;
  const std::string mono = Encode(1, 11025, 3000, Sine(330, 11025), 0.4f, 7);
  const std::string monoAgain = Encode(1, 11025, 2000, Sine(550, 11025), 0.4f, 8);
  const std::string stereo = Encode(2, 22050, 5000, Sine(440, 22050), 0.4f, 9);
  const std::string monoAfter = Encode(1, 11025, 1000, Sine(330, 11025), 0.4f, 10);
  ASSERT_TRUE(sound.Load(Write("chained.ogg", mono + monoAgain + stereo + monoAfter).c_str()));
  EXPECT_EQ(sound.GetFormat(16)->nChannels, 1);
  EXPECT_EQ(sound.GetFormat(16)->nSamplesPerSec, 11025u);
  OpenEngine(16);
  // The engine rewinds before its first fill; the decoder then starts in the first stream.
  sound.Rewind();
  EXPECT_EQ(Drain().size(), (3000u + 2000u) * 2u);
  sound.Rewind();
  EXPECT_EQ(Drain().size(), (3000u + 2000u) * 2u);
}

TEST_F(SoundVorbisTest, DeliversNothingWithoutEngineOrSound) {
  uint8_t buffer[64];
  EXPECT_EQ(sound.Fill(&engine, buffer, sizeof buffer), 0u);
  sound.Rewind();
  ASSERT_TRUE(sound.Load(Write("tone.ogg", StereoTone()).c_str()));
  EXPECT_EQ(sound.Fill(nullptr, buffer, sizeof buffer), 0u);
  // An engine that is not open gives no sample width to decode at.
  EXPECT_EQ(sound.Fill(&engine, buffer, sizeof buffer), 0u);
}

TEST_F(SoundVorbisTest, RecordsOpenFailuresWithTheSystemText) {
  std::string missing = dir / "missing.ogg";
  EXPECT_FALSE(sound.Load(missing.c_str()));
  EXPECT_EQ(sound.GetErrorCode(), 2);
  EXPECT_EQ(sound.GetErrorText(), "Loading " + missing + ": No such file or directory");
  EXPECT_FALSE(sound.IsLoaded());
  EXPECT_FALSE(sound.Load(nullptr));
}

TEST_F(SoundVorbisTest, RecordsDecoderRejectionsKeepingTheCode) {
  std::string tone = StereoTone();
  // An identification header that claims no channels, in a page with a valid checksum.
  std::string badHeader = tone;
  ogg_page first;
  first.header = reinterpret_cast<unsigned char*>(&badHeader[0]);
  first.header_len = 28;  // one lacing value
  first.body = reinterpret_cast<unsigned char*>(&badHeader[28]);
  first.body_len = static_cast<uint8_t>(badHeader[27]);
  first.body[11] = 0;
  ogg_page_checksum_set(&first);
  struct Case {
    std::string bytes;
    std::string reason;
  };
  const Case cases[] = {
      {"just some words, not a sound at all, long enough to be read", "Bitstream is not Vorbis data."},
      {riff::Wave(riff::PcmFormat(1, 8000, 8), "1234"), "Bitstream is not Vorbis data."},
      {"", "Bitstream is not Vorbis data."},
      {badHeader, "Invalid Vorbis bitstream header."},
  };
  std::string missing = dir / "missing.ogg";
  EXPECT_FALSE(sound.Load(missing.c_str()));
  size_t descriptors = OpenDescriptorCount();
  for (const Case& c : cases) {
    std::string path = Write("bad.ogg", c.bytes);
    EXPECT_FALSE(sound.Load(path.c_str()));
    EXPECT_FALSE(sound.IsLoaded());
    EXPECT_EQ(sound.GetErrorCode(), 2);
    EXPECT_EQ(sound.GetErrorText(), "Loading " + path + ": " + c.reason);
  }
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST_F(SoundVorbisTest, ClosesOnlyWhatIsLoaded) {
  EXPECT_FALSE(sound.Load((dir / "missing.ogg").c_str()));
  std::string text = sound.GetErrorText();
  EXPECT_FALSE(sound.Close());
  EXPECT_EQ(sound.GetErrorText(), text);
  std::string path = Write("tone.ogg", StereoTone());
  size_t descriptors = OpenDescriptorCount();
  ASSERT_TRUE(sound.Load(path.c_str()));
  EXPECT_EQ(OpenDescriptorCount(), descriptors + 1);
  ASSERT_TRUE(sound.Load(path.c_str()));  // the second load closes the first
  EXPECT_EQ(OpenDescriptorCount(), descriptors + 1);
  EXPECT_TRUE(sound.Close());
  EXPECT_FALSE(sound.IsLoaded());
  EXPECT_EQ(sound.GetFormat(16)->nChannels, 0);
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
  EXPECT_FALSE(sound.Close());
}

TEST(SoundFileFormat, IsToldByContentWavFirst) {
  TempDir dir;
  std::string ogg = vorbis_test::Encode(1, 8000, 800, vorbis_test::Sine(440, 8000));
  WriteFile(dir / "wave.ogg", riff::Wave(riff::PcmFormat(1, 8000, 8), "1234"));
  WriteFile(dir / "vorbis.wav", ogg);
  WriteFile(dir / "Notes.TXT", "this is a text file offered as a sound\n");
  EXPECT_TRUE(IsWaveFile((dir / "wave.ogg").c_str()));
  EXPECT_FALSE(IsVorbisFile((dir / "wave.ogg").c_str()));
  EXPECT_TRUE(IsVorbisFile((dir / "vorbis.wav").c_str()));
  EXPECT_FALSE(IsWaveFile((dir / "vorbis.wav").c_str()));
  EXPECT_FALSE(IsVorbisFile((dir / "notes.txt").c_str()));
  EXPECT_FALSE(IsVorbisFile((dir / "missing.ogg").c_str()));
  EXPECT_FALSE(IsVorbisFile(nullptr));

  EXPECT_EQ(DetectSoundFileFormat((dir / "wave.ogg").c_str()), SoundFileFormat::Wave);
  EXPECT_EQ(DetectSoundFileFormat((dir / "VORBIS.wav").c_str()), SoundFileFormat::Vorbis);
  EXPECT_EQ(DetectSoundFileFormat((dir / "notes.txt").c_str()), SoundFileFormat::None);
  EXPECT_EQ(DetectSoundFileFormat((dir / "missing.ogg").c_str()), SoundFileFormat::None);

  CSoundWav wav;
  CSoundVorbis vorbis;
  SoundObject chosen = ChooseSoundObject(SoundFileFormat::Vorbis, wav, vorbis);
  EXPECT_EQ(chosen.loader, static_cast<IWaveLoader*>(&vorbis));
  EXPECT_EQ(chosen.filler, static_cast<IWaveBufferFiller*>(&vorbis));
  chosen = ChooseSoundObject(SoundFileFormat::Wave, wav, vorbis);
  EXPECT_EQ(chosen.loader, static_cast<IWaveLoader*>(&wav));
  EXPECT_EQ(chosen.filler, static_cast<IWaveBufferFiller*>(&wav));
  chosen = ChooseSoundObject(SoundFileFormat::None, wav, vorbis);
  EXPECT_EQ(chosen.loader, nullptr);
  EXPECT_EQ(chosen.filler, nullptr);

  // The chosen loaders take the files whatever their names say.
  EXPECT_TRUE(wav.Load((dir / "wave.ogg").c_str()));
  EXPECT_TRUE(vorbis.Load((dir / "vorbis.wav").c_str()));
  EXPECT_FALSE(vorbis.Load((dir / "notes.txt").c_str()));
  EXPECT_FALSE(wav.Load((dir / "notes.txt").c_str()));
}
