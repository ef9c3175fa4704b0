// Every WAV file of the corpus offered to the player's WAV loader: accepted or refused as its
// form warrants, and the accepted ones deliver the bytes of their "data" chunk, which for PCM are
// the bytes sox extracts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "audio/SoundWav.h"
#include "audio/WavePlayer.h"
#include "tests/audio_corpus/CorpusTools.h"
#include "tests/support/TestFiles.h"

using testing_support::TempDir;

namespace {

enum class Outcome { Plays, NotWave, ChunkMissing, FormatBeyondFile };

struct Expectation {
  const char* file;
  Outcome outcome;
  const char* why;
};

const Expectation kRefused[] = {
    {"wav/generated/gen-rifx-s16-stereo-22050Hz.wav", Outcome::NotWave, "RIFX, no RIFF"},
    {"wav/scipy/test-44100Hz-2ch-32bit-float-be.wav", Outcome::NotWave, "RIFX, no RIFF"},
    {"wav/scipy/test-44100Hz-be-1ch-4bytes.wav", Outcome::NotWave, "RIFX, no RIFF"},
    {"wav/scipy/test-8000Hz-be-3ch-5S-24bit.wav", Outcome::NotWave, "RIFX, no RIFF"},
    {"wav/scipy/test-44100Hz-le-1ch-4bytes-rf64.wav", Outcome::NotWave, "RF64, no RIFF"},
    {"wav/scipy/test-8000Hz-le-3ch-5S-24bit-rf64.wav", Outcome::NotWave, "RF64, no RIFF"},
    {"wav/go-audio/sample.avi", Outcome::NotWave, "a RIFF form of type AVI"},
    {"wav/go-audio/bloop.aif", Outcome::NotWave, "an IFF form of type AIFF"},
    {"midi/generated/gen-rmid-c-major-scale.rmi", Outcome::NotWave, "a RIFF form of type RMID"},
    {"wav/scipy/test-44100Hz-le-1ch-4bytes-early-eof-no-data.wav", Outcome::ChunkMissing,
     "ends before any data chunk"},
    {"wav/scipy/test-44100Hz-le-1ch-4bytes-incomplete-chunk.wav", Outcome::ChunkMissing,
     "ends inside its first chunk's id"},
    {"wav/hound/fuzz/crash-e879de4eb4d206c59e21f0e01def16457af80fdc.wav", Outcome::ChunkMissing,
     "no fmt chunk"},
    {"wav/hound/fuzz/oom-48ae4cd061ff8578ad3f23dc87624bd365cf5216.wav", Outcome::ChunkMissing,
     "its only chunk claims far more than the file holds"},
    {"wav/hound/fuzz/crash-24728523ef4be15c838293b676f6853e73723bf4.wav",
     Outcome::FormatBeyondFile, "fmt chunk claims 167,772,160 bytes"},
    {"wav/hound/fuzz/crash-b8447179832529c48f9c6bf17feab6337bbc78ea.wav",
     Outcome::FormatBeyondFile, "fmt chunk claims 16,777,471 bytes"},
    {"wav/hound/fuzz/crash-cbd757427cea12bd8a21f86cd8cf74d98ce56bee.wav",
     Outcome::FormatBeyondFile, "fmt chunk claims 2,555,904 bytes"},
};

// PCM files whose samples sox repacks instead of copying.
const char* const kSoxRepacks[] = {
    "wav/hound/pcmwaveformat-24bit-4byte-48kHz-stereo.wav",  // 24-bit samples in 4-byte blocks
    "wav/scipy/test-8000Hz-le-3ch-5S-64bit.wav",  // sox reads 64-bit integers as floating point
};

const Expectation* FindRefusal(const std::string& name) {
  for (const Expectation& expectation : kRefused)
    if (name == expectation.file) return &expectation;
  return nullptr;
}

bool SoxRepacks(const std::string& name) {
  for (const char* file : kSoxRepacks)
    if (name == file) return true;
  return false;
}

uint32_t LE32(const std::string& bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8 |
         static_cast<uint8_t>(bytes[at + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}

// The contents of the file's first "data" chunk inside "RIFF....WAVE", cut at the end of the
// file, and the first "fmt " chunk's format tag, block alignment and (extensible formats) the
// tag of its sub-format.
struct WaveChunks {
  std::string data;
  uint16_t tag = 0;
  uint16_t blockAlign = 0;
  uint16_t subFormat = 0;
  bool IntegerPcm() const {
    return tag == WAVE_FORMAT_PCM || (tag == WAVE_FORMAT_EXTENSIBLE && subFormat == WAVE_FORMAT_PCM);
  }
};

WaveChunks ReadChunks(const std::string& bytes) {
  WaveChunks chunks;
  uint64_t position = 12;
  bool sawData = false;
  while (position + 8 <= bytes.size()) {
    std::string id = bytes.substr(position, 4);
    uint64_t size = LE32(bytes, position + 4);
    if (id == "fmt " && position + 8 + 14 <= bytes.size()) {
      chunks.tag = static_cast<uint16_t>(LE32(bytes, position + 8) & 0xFFFF);
      chunks.blockAlign = static_cast<uint16_t>(LE32(bytes, position + 8 + 12) & 0xFFFF);
      if (size >= 26 && position + 8 + 28 <= bytes.size())
        chunks.subFormat = static_cast<uint16_t>(LE32(bytes, position + 8 + 24) & 0xFFFF);
    }
    if (id == "data" && !sawData) {
      chunks.data = bytes.substr(position + 8, size);
      sawData = true;
    }
    position += 8 + size + (size & 1);
  }
  return chunks;
}

// sox's raw output for the file, or nothing when sox cannot read it.
std::string SoxRaw(const std::string& path, const TempDir& dir) {
  std::string out = dir / "sox.raw";
  std::remove(out.c_str());
  int status = 0;
  corpus::Run("sox -V0 " + corpus::Quote(path) + " -t raw " + corpus::Quote(out) + " 2>/dev/null",
              status);
  return status == 0 ? testing_support::ReadFile(out) : std::string();
}

}  // namespace

TEST(WavCorpus, AcceptsWaveFormsAndDeliversTheirData) {
  std::vector<std::string> files = corpus::ListFiles("wav");
  if (files.empty()) GTEST_SKIP() << "no corpus";
  files.push_back(testing_support::CorpusDir() + "/midi/generated/gen-rmid-c-major-scale.rmi");
  TempDir dir;
  CWavePlayer engine;
  int played = 0;
  int matchedSox = 0;
  for (const std::string& file : files) {
    std::string name = corpus::ShortName(file);
    SCOPED_TRACE(name);
    CSoundWav sound;
    std::string missing = dir / "missing.wav";
    sound.Load(missing.c_str());  // leaves a known error behind
    bool loaded = sound.Load(file.c_str());

    if (const Expectation* refusal = FindRefusal(name)) {
      EXPECT_FALSE(loaded) << refusal->why;
      EXPECT_EQ(IsWaveFile(file.c_str()), refusal->outcome != Outcome::NotWave) << refusal->why;
      if (refusal->outcome == Outcome::FormatBeyondFile) {
        EXPECT_EQ(sound.GetErrorText(), "Loading " + missing + ": Cannot open");  // nothing recorded
      } else {
        EXPECT_EQ(sound.GetErrorCode(), 265);
        EXPECT_EQ(sound.GetErrorText(), "Loading " + file + ": Unable to find the requested chunk.");
      }
      continue;
    }

    ASSERT_TRUE(loaded) << sound.GetErrorText();
    EXPECT_TRUE(IsWaveFile(file.c_str()));
    WaveChunks chunks = ReadChunks(testing_support::ReadFile(file));
    const WAVEFORMATEX* format = sound.GetFormat(16);
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->wFormatTag, chunks.tag);
    bool pcm = chunks.tag == WAVE_FORMAT_PCM || chunks.tag == WAVE_FORMAT_EXTENSIBLE;
    if (!pcm) {
      EXPECT_EQ(format->wBitsPerSample, 0);
    }

    sound.Rewind();
    std::string delivered = corpus::Drain(sound, engine);
    EXPECT_TRUE(delivered == chunks.data) << delivered.size() << " bytes, the chunk holds " << chunks.data.size();
    ++played;

    std::string sox = chunks.IntegerPcm() ? SoxRaw(file, dir) : std::string();
    if (sox.empty() || SoxRepacks(name)) continue;
    // sox leaves out a partial sample frame at the end; the player hands over every byte.
    bool same = delivered == sox;
    bool soxCutAPartialFrame = sox.size() < delivered.size() &&
                               delivered.size() - sox.size() < std::max<size_t>(chunks.blockAlign, 1) &&
                               delivered.compare(0, sox.size(), sox) == 0;
    EXPECT_TRUE(same || soxCutAPartialFrame) << delivered.size() << " bytes, sox " << sox.size();
    ++matchedSox;
  }
  EXPECT_GE(played, 50);
  EXPECT_GE(matchedSox, 30);
}
