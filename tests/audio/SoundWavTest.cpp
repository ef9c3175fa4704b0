#include "audio/SoundWav.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "audio/WavePlayer.h"
#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"

using testing_support::OpenDescriptorCount;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

std::string Samples(size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += static_cast<char>(i * 7 + 3);
  return out;
}

// Everything Fill delivers until it runs dry, in pieces of capacity bytes.
std::string Drain(CSoundWav& sound, CWavePlayer& engine, uint32_t capacity = 8192) {
  std::string out;
  std::string buffer(capacity, '\0');
  while (uint32_t count = sound.Fill(&engine, reinterpret_cast<uint8_t*>(buffer.data()), capacity)) {
    EXPECT_LE(count, capacity);
    out.append(buffer, 0, count);
  }
  return out;
}

class SoundWavTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteFile(dir / name, bytes);
    return dir / name;
  }
  TempDir dir;
  CSoundWav sound;
  CWavePlayer engine;
};

}  // namespace

TEST_F(SoundWavTest, DeliversTheDataChunkInPiecesAndRewinds) {
  std::string data = Samples(20000);
  std::string path = Write("bell.wav", riff::Wave(riff::PcmFormat(2, 22050, 16), data));
  ASSERT_TRUE(sound.Load(path.c_str()));
  EXPECT_TRUE(sound.IsLoaded());

  std::string buffer(8192, '\0');
  EXPECT_EQ(sound.Fill(&engine, reinterpret_cast<uint8_t*>(buffer.data()), 8192), 8192u);
  EXPECT_EQ(buffer, data.substr(0, 8192));
  EXPECT_EQ(sound.Fill(&engine, reinterpret_cast<uint8_t*>(buffer.data()), 8192), 8192u);
  EXPECT_EQ(sound.Fill(&engine, reinterpret_cast<uint8_t*>(buffer.data()), 8192), 20000u - 16384u);
  EXPECT_EQ(sound.Fill(&engine, reinterpret_cast<uint8_t*>(buffer.data()), 8192), 0u);

  sound.Rewind();
  EXPECT_EQ(Drain(sound, engine, 1000), data);
  sound.Rewind();
  EXPECT_EQ(Drain(sound, engine), data);
}

TEST_F(SoundWavTest, DescribesTheFormatAsRead) {
  std::string path = Write("bell.wav", riff::Wave(riff::PcmFormat(2, 22050, 16), Samples(8)));
  EXPECT_EQ(sound.GetFormat(16), nullptr);
  ASSERT_TRUE(sound.Load(path.c_str()));
  const WAVEFORMATEX* format = sound.GetFormat(8);
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(sound.GetFormat(16), format);
  EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format->nChannels, 2);
  EXPECT_EQ(format->nSamplesPerSec, 22050u);
  EXPECT_EQ(format->nAvgBytesPerSec, 88200u);
  EXPECT_EQ(format->nBlockAlign, 4);
  EXPECT_EQ(format->wBitsPerSample, 16);
  EXPECT_EQ(format->cbSize, 0);  // beyond the 16 bytes of the chunk: padding
}

TEST_F(SoundWavTest, ClearsBitsPerSampleOfFormatsOtherThanPcmAndExtensible) {
  struct Case {
    uint32_t tag;
    uint16_t bits;
  };
  for (Case c : {Case{1, 8}, Case{0xFFFE, 24}, Case{3, 0}, Case{0x11, 0}, Case{6, 0}, Case{0, 0}}) {
    std::string format = riff::PcmFormat(1, 8000, 8, 0) + riff::LE16(0);
    format[0] = static_cast<char>(c.tag & 0xFF);
    format[1] = static_cast<char>(c.tag >> 8);
    format[14] = c.tag == 0xFFFE ? 24 : 8;
    std::string path = Write("x.wav", riff::Wave(format, Samples(4)));
    ASSERT_TRUE(sound.Load(path.c_str())) << c.tag;
    EXPECT_EQ(sound.GetFormat(16)->wBitsPerSample, c.bits) << c.tag;
  }
}

TEST_F(SoundWavTest, KeepsTheWholeFormatChunkOfExtensibleFiles) {
  std::string format = riff::PcmFormat(6, 48000, 16, 0xFFFE) + riff::LE16(22) + riff::LE16(16) +
                       riff::LE32(0x3F) + std::string("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 16);
  std::string path = Write("six.wav", riff::Wave(format, Samples(24)));
  ASSERT_TRUE(sound.Load(path.c_str()));
  const WAVEFORMATEX* record = sound.GetFormat(8);
  EXPECT_EQ(record->cbSize, 22);
  ASSERT_EQ(sound.GetFormatSize(), 40u);
  EXPECT_EQ(std::memcmp(record, format.data(), format.size()), 0);
}

TEST_F(SoundWavTest, PadsAShortFormatChunk) {
  std::string path = Write("old.wav", riff::Wave(riff::PcmFormat(1, 11025, 8).substr(0, 14), Samples(4)));
  ASSERT_TRUE(sound.Load(path.c_str()));
  EXPECT_EQ(sound.GetFormat(8)->nBlockAlign, 1);
  EXPECT_EQ(sound.GetFormat(8)->wBitsPerSample, 0);
  EXPECT_EQ(sound.GetFormat(8)->cbSize, 0);
  EXPECT_EQ(sound.GetFormatSize(), 14u);
}

TEST_F(SoundWavTest, EndsTheSoundAtTheDataChunksSize) {
  std::string data = Samples(1001);  // odd: a pad byte follows
  std::string after = riff::Chunk("LIST", "INFOINAM" + riff::LE32(4) + "name");
  std::string path = Write("a.wav", riff::Wave(riff::PcmFormat(1, 8000, 8), data,
                                               riff::Chunk("JUNK", "xx"), after));
  ASSERT_TRUE(sound.Load(path.c_str()));
  EXPECT_EQ(Drain(sound, engine), data);

  // A data chunk that claims fewer bytes than follow it.
  std::string claimed = riff::Riff("WAVE", riff::Chunk("fmt ", riff::PcmFormat(1, 8000, 8)) +
                                               riff::ChunkClaiming("data", 10, Samples(50)));
  ASSERT_TRUE(sound.Load(Write("b.wav", claimed).c_str()));
  EXPECT_EQ(Drain(sound, engine), Samples(10));
}

TEST_F(SoundWavTest, EndsAtTheEndOfTheFileWhenTheDataChunkClaimsMore) {
  for (uint32_t claim : {5000u, 0x7FFFF000u, 0xFFFFFFFFu}) {
    std::string bytes = riff::ChunkClaiming("RIFF", 0xFFFFFFFF, "WAVE" + riff::Chunk("fmt ", riff::PcmFormat(1, 8000, 16)) +
                                                                  riff::ChunkClaiming("data", claim, Samples(944)));
    ASSERT_TRUE(sound.Load(Write("c.wav", bytes).c_str()));
    EXPECT_EQ(Drain(sound, engine), Samples(944)) << claim;
  }
}

TEST_F(SoundWavTest, FindsChunksAfterListsAndPaddedOddChunks) {
  std::string data = Samples(64);
  std::string path = Write("d.wav", riff::Riff("WAVE", riff::Chunk("bext", "odd") + riff::Chunk("fmt ", riff::PcmFormat(1, 8000, 8)) +
                                                           riff::Chunk("LIST", "INFOabc") + riff::Chunk("PAD ", std::string(300, '\0')) +
                                                           riff::Chunk("data", data)));
  ASSERT_TRUE(sound.Load(path.c_str()));
  EXPECT_EQ(Drain(sound, engine), data);
}

TEST_F(SoundWavTest, DeliversNothingWithoutEngineOrSound) {
  uint8_t buffer[16];
  EXPECT_EQ(sound.Fill(&engine, buffer, sizeof buffer), 0u);
  sound.Rewind();  // nothing loaded: nothing happens
  EXPECT_EQ(sound.GetErrorCode(), 0);
  EXPECT_EQ(sound.GetErrorText(), "");
  ASSERT_TRUE(sound.Load(Write("e.wav", riff::Wave(riff::PcmFormat(1, 8000, 8), Samples(16))).c_str()));
  EXPECT_EQ(sound.Fill(nullptr, buffer, sizeof buffer), 0u);
  EXPECT_EQ(sound.Fill(&engine, buffer, sizeof buffer), 16u);
}

TEST_F(SoundWavTest, RecordsLoadFailuresWithTheirCodesAndTexts) {
  struct Case {
    std::string bytes;
    int code;
    std::string reason;
  };
  std::string format = riff::Chunk("fmt ", riff::PcmFormat(1, 8000, 8));
  std::string data = riff::Chunk("data", Samples(4));
  const Case cases[] = {
      {riff::Riff("AVI ", riff::Chunk("LIST", "hdrl")), 265, "Unable to find the requested chunk."},
      {"plain text, no sound at all\n", 265, "Unable to find the requested chunk."},
      {riff::Riff("WAVE", data), 265, "Unable to find the requested chunk."},
      {riff::Riff("WAVE", format), 265, "Unable to find the requested chunk."},
      {riff::Riff("WAVE", data + format), 265, "Unable to find the requested chunk."},
      {"RIFX" + riff::LE32(0) + "WAVE" + format + data, 265, "Unable to find the requested chunk."},
  };
  size_t descriptors = OpenDescriptorCount();
  for (const Case& c : cases) {
    std::string path = Write("bad.wav", c.bytes);
    EXPECT_FALSE(sound.Load(path.c_str()));
    EXPECT_FALSE(sound.IsLoaded());
    EXPECT_EQ(sound.GetErrorCode(), c.code);
    EXPECT_EQ(sound.GetErrorText(), "Loading " + path + ": " + c.reason);
    EXPECT_EQ(sound.GetFormat(16), nullptr);
  }
  std::string missing = dir / "missing.wav";
  EXPECT_FALSE(sound.Load(missing.c_str()));
  EXPECT_EQ(sound.GetErrorCode(), 259);
  EXPECT_EQ(sound.GetErrorText(), "Loading " + missing + ": Cannot open");
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST_F(SoundWavTest, TreatsAFormatChunkLargerThanTheFileAsAShortRead) {
  std::string missing = dir / "missing.wav";
  EXPECT_FALSE(sound.Load(missing.c_str()));
  size_t descriptors = OpenDescriptorCount();
  for (uint32_t claim : {17u, 1000u, 0x7FFFFFFFu, 0xFFFFFFF0u}) {
    std::string bytes = riff::Riff("WAVE", riff::ChunkClaiming("fmt ", claim, riff::PcmFormat(1, 8000, 8)));
    EXPECT_FALSE(sound.Load(Write("f.wav", bytes).c_str())) << claim;
    EXPECT_FALSE(sound.IsLoaded());
    // A short read records nothing: the previous failure stays.
    EXPECT_EQ(sound.GetErrorCode(), 259);
    EXPECT_EQ(sound.GetErrorText(), "Loading " + missing + ": Cannot open");
  }
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST_F(SoundWavTest, ClosesOnlyWhatIsLoaded) {
  EXPECT_FALSE(sound.Close());
  EXPECT_FALSE(sound.Load(nullptr));
  std::string path = Write("g.wav", riff::Wave(riff::PcmFormat(1, 8000, 8), Samples(4)));
  size_t descriptors = OpenDescriptorCount();
  ASSERT_TRUE(sound.Load(path.c_str()));
  EXPECT_EQ(OpenDescriptorCount(), descriptors + 1);
  ASSERT_TRUE(sound.Load(path.c_str()));  // the second load closes the first file
  EXPECT_EQ(OpenDescriptorCount(), descriptors + 1);
  EXPECT_TRUE(sound.Close());
  EXPECT_FALSE(sound.IsLoaded());
  EXPECT_EQ(sound.GetFormat(8), nullptr);
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
  EXPECT_FALSE(sound.Close());
}

TEST_F(SoundWavTest, OpensIgnoringLetterCase) {
  Write("Sounds/Bell.WAV", riff::Wave(riff::PcmFormat(1, 8000, 8), Samples(4)));
  std::string path = dir / "sounds/bell.wav";
  EXPECT_TRUE(IsWaveFile(path.c_str()));
  EXPECT_TRUE(sound.Load(path.c_str()));
}

TEST(IsWaveFile, AnswersByContent) {
  TempDir dir;
  WriteFile(dir / "sound.ogg", riff::Wave(riff::PcmFormat(1, 8000, 8), "1234"));
  WriteFile(dir / "movie.wav", riff::Riff("AVI ", riff::Chunk("LIST", "hdrl")));
  WriteFile(dir / "notes.wav", "just some text that is long enough to read a header from");
  WriteFile(dir / "ogg.wav", "OggS" + std::string(60, '\0'));
  WriteFile(dir / "empty.wav", "");
  WriteFile(dir / "nodata.wav", riff::Riff("WAVE", riff::Chunk("fmt ", riff::PcmFormat(1, 8000, 8))));
  EXPECT_TRUE(IsWaveFile((dir / "sound.ogg").c_str()));
  EXPECT_TRUE(IsWaveFile((dir / "nodata.wav").c_str()));  // a WAVE form, even if it cannot play
  EXPECT_FALSE(IsWaveFile((dir / "movie.wav").c_str()));
  EXPECT_FALSE(IsWaveFile((dir / "notes.wav").c_str()));
  EXPECT_FALSE(IsWaveFile((dir / "ogg.wav").c_str()));
  EXPECT_FALSE(IsWaveFile((dir / "empty.wav").c_str()));
  EXPECT_FALSE(IsWaveFile((dir / "missing.wav").c_str()));
  EXPECT_FALSE(IsWaveFile(nullptr));
}
