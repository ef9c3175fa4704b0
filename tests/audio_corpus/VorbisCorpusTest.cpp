// Every Ogg file of the corpus decoded by the player's Vorbis loader, compared byte for byte with
// what oggdec (vorbis-tools) decodes from it, in 16-bit signed and 8-bit unsigned samples.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "audio/SoundVorbis.h"
#include "audio/WavePlayer.h"
#include "tests/audio_corpus/CorpusTools.h"
#include "tests/support/TestFiles.h"

using testing_support::TempDir;

namespace {

struct Reference {
  bool opened = false;
  std::string pcm;
};

// oggdec's raw little-endian output at the depth: signed for 16 bits, unsigned for 8.
Reference Oggdec(const std::string& path, int bits, const TempDir& dir) {
  std::string out = dir / "oggdec.raw";
  std::remove(out.c_str());
  int status = 0;
  std::string messages =
      corpus::Run("oggdec -Q -R -b " + std::to_string(bits) + " -s " + (bits == 16 ? "1" : "0") +
                      " -o " + corpus::Quote(out) + " " + corpus::Quote(path) + " 2>&1",
                  status);
  Reference reference;
  // A decoding error later in the stream also fails oggdec; only a refused open counts here.
  reference.opened = messages.find("Failed to open") == std::string::npos;
  reference.pcm = testing_support::ReadFile(out);
  return reference;
}

// The links of a chained stream: a new link begins with a first page that follows pages of the
// link before. (Streams grouped at the start, whose first pages follow one another, stay one.)
std::vector<std::string> SplitLinks(const std::string& bytes) {
  std::vector<std::string> links;
  size_t position = 0;
  bool previousWasFirstPage = false;
  while (position + 27 <= bytes.size() && bytes.compare(position, 4, "OggS") == 0) {
    size_t segments = static_cast<uint8_t>(bytes[position + 26]);
    size_t size = 27 + segments;
    if (position + size > bytes.size()) break;
    for (size_t i = 0; i < segments; ++i) size += static_cast<uint8_t>(bytes[position + 27 + i]);
    bool firstPage = bytes[position + 5] & 0x02;
    if (links.empty() || (firstPage && !previousWasFirstPage)) links.emplace_back();
    links.back() += bytes.substr(position, size);
    previousWasFirstPage = firstPage;
    position += size;
  }
  return links;
}

// Damaged streams whose decoding after a rewind to the first byte differs from decoding after
// the open: the open skips what it cannot read as the stream's beginning, a raw seek to 0 reads
// the pages again from the first byte (and for two of them finds the sound the open missed).
const char* const kRewindResynchronizes[] = {
    "ogg/lewton-fuzzed/bug-42-sample009.ogg", "ogg/lewton-fuzzed/bug-42-sample012.ogg",
    "ogg/lewton-fuzzed/bug-42-sample016.ogg", "ogg/lewton-fuzzed/bug-42-sample029.ogg",
    "ogg/libnogg/square-interleaved.ogg",     "ogg/libnogg/square-with-junk.ogg",
};

bool RewindResynchronizes(const std::string& name) {
  for (const char* file : kRewindResynchronizes)
    if (name == file) return true;
  return false;
}

}  // namespace

TEST(VorbisCorpus, DecodesAsOggdecDoes) {
  std::vector<std::string> files;
  for (const std::string& file : corpus::ListFiles("ogg"))
    if (file.size() > 4 && file.compare(file.size() - 4, 4, ".ogg") == 0) files.push_back(file);
  if (files.empty()) GTEST_SKIP() << "no corpus";
  TempDir dir;
  int compared = 0;
  int refused = 0;
  for (int bits : {16, 8}) {
    CWavePlayer engine;
    ASSERT_TRUE(corpus::OpenEngine(engine, bits));
    for (const std::string& file : files) {
      std::string name = corpus::ShortName(file);
      SCOPED_TRACE(name + " at " + std::to_string(bits) + " bits");
      Reference reference = Oggdec(file, bits, dir);
      CSoundVorbis sound;
      bool loaded = sound.Load(file.c_str());
      EXPECT_EQ(IsVorbisFile(file.c_str()), loaded);
      std::vector<std::string> links = SplitLinks(testing_support::ReadFile(file));

      if (links.size() > 1) {
        // oggdec refuses links whose parameters change; the player plays the links, each
        // decoded as oggdec decodes it alone, up to the first of another rate or channel count,
        // where the sound ends. (The engine rewinds before its first fill.)
        ASSERT_TRUE(loaded) << sound.GetErrorText();
        const WAVEFORMATEX opened = *sound.GetFormat(bits);
        std::string expected;
        for (size_t i = 0; i < links.size(); ++i) {
          std::string link = dir / ("link" + std::to_string(i) + ".ogg");
          testing_support::WriteFile(link, links[i]);
          CSoundVorbis alone;
          ASSERT_TRUE(alone.Load(link.c_str()));
          const WAVEFORMATEX* format = alone.GetFormat(bits);
          if (format->nChannels != opened.nChannels || format->nSamplesPerSec != opened.nSamplesPerSec)
            break;
          expected += Oggdec(link, bits, dir).pcm;
        }
        sound.Rewind();
        EXPECT_EQ(corpus::Drain(sound, engine), expected);
        ++compared;
        continue;
      }
      if (!reference.opened) {
        EXPECT_FALSE(loaded) << "oggdec refuses the file";
        ++refused;
        continue;
      }
      ASSERT_TRUE(loaded) << sound.GetErrorText();
      std::string decoded = corpus::Drain(sound, engine);
      EXPECT_EQ(decoded.size(), reference.pcm.size());
      EXPECT_TRUE(decoded == reference.pcm);
      // The engine rewinds before every repeat; a healthy stream starts over exactly.
      sound.Rewind();
      std::string repeated = corpus::Drain(sound, engine);
      if (RewindResynchronizes(name))
        EXPECT_NE(repeated, decoded) << "a rewind now decodes this damaged stream as the open does";
      else
        EXPECT_TRUE(repeated == decoded);
      ++compared;
    }
  }
  EXPECT_GE(compared, 2 * 40);
  EXPECT_GE(refused, 2 * 5);
}
