// fablewick-story decode, run as a program on files written by the tests.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/audio/SmfBuilder.h"
#include "tests/audio/VorbisEncoder.h"
#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

struct Result {
  int status = -1;
  std::string errors;
};

Result Decode(const TempDir& dir, const std::string& arguments) {
  std::string errors = dir / "stderr.txt";
  std::string command = std::string(STORY_TOOL) + " decode " + arguments + " 2> '" + errors + "'";
  int raw = std::system(command.c_str());
  Result result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.errors = ReadFile(errors);
  return result;
}

std::string Quote(const std::string& path) { return "'" + path + "'"; }

uint32_t LE(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

// The fmt and data chunks of a WAV file the tool wrote (it writes them in this order).
struct Wave {
  std::string format;
  std::string data;
};

Wave ParseWave(const std::string& bytes) {
  Wave wave;
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(LE(bytes, 4, 4), bytes.size() - 8);
  EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
  uint32_t formatSize = LE(bytes, 16, 4);
  wave.format = bytes.substr(20, formatSize);
  size_t data = 20 + formatSize + (formatSize & 1);
  EXPECT_EQ(bytes.substr(data, 4), "data");
  wave.data = bytes.substr(data + 8, LE(bytes, data + 4, 4));
  return wave;
}

}  // namespace

TEST(DecodeCommand, WritesWaveDataAsItStandsWithItsFormat) {
  TempDir dir;
  std::string format = riff::PcmFormat(2, 22050, 16);
  std::string data = "0123456789abcdefghij";
  WriteFile(dir / "Bell.WAV", riff::Wave(format, data, riff::Chunk("LIST", "INFOx"), riff::Chunk("JUNK", "after")));
  ASSERT_EQ(Decode(dir, Quote(dir / "bell.wav") + " " + Quote(dir / "out.wav")).status, 0);
  Wave out = ParseWave(ReadFile(dir / "out.wav"));
  EXPECT_EQ(out.format, format);
  EXPECT_EQ(out.data, data);

  std::string extensible = riff::PcmFormat(1, 8000, 24, 0xFFFE) + riff::LE16(22) + std::string(22, '\x07');
  WriteFile(dir / "ext.wav", riff::Wave(extensible, "123"));
  ASSERT_EQ(Decode(dir, Quote(dir / "ext.wav") + " " + Quote(dir / "ext-out.wav")).status, 0);
  out = ParseWave(ReadFile(dir / "ext-out.wav"));
  EXPECT_EQ(out.format, extensible);
  EXPECT_EQ(out.data, "123");
}

TEST(DecodeCommand, DecodesVorbisToSixteenOrEightBits) {
  TempDir dir;
  WriteFile(dir / "tone.wav", vorbis_test::Encode(2, 22050, 5000, vorbis_test::Sine(440, 22050)));
  ASSERT_EQ(Decode(dir, Quote(dir / "tone.wav") + " " + Quote(dir / "wide.wav")).status, 0);
  ASSERT_EQ(Decode(dir, "--8bit " + Quote(dir / "tone.wav") + " " + Quote(dir / "narrow.wav")).status, 0);
  Wave wide = ParseWave(ReadFile(dir / "wide.wav"));
  Wave narrow = ParseWave(ReadFile(dir / "narrow.wav"));
  ASSERT_EQ(wide.format.size(), 18u);
  EXPECT_EQ(LE(wide.format, 0, 2), 1u);
  EXPECT_EQ(LE(wide.format, 2, 2), 2u);
  EXPECT_EQ(LE(wide.format, 4, 4), 22050u);
  EXPECT_EQ(LE(wide.format, 8, 4), 88200u);
  EXPECT_EQ(LE(wide.format, 12, 2), 4u);
  EXPECT_EQ(LE(wide.format, 14, 2), 16u);
  EXPECT_EQ(LE(narrow.format, 12, 2), 2u);
  EXPECT_EQ(LE(narrow.format, 14, 2), 8u);
  ASSERT_EQ(wide.data.size(), 5000u * 4u);
  ASSERT_EQ(narrow.data.size(), 5000u * 2u);
  for (size_t i = 0; i < narrow.data.size(); ++i) {
    int wideSample = static_cast<int16_t>(LE(wide.data, 2 * i, 2));
    int narrowSample = static_cast<uint8_t>(narrow.data[i]) - 128;
    ASSERT_LE(std::abs(narrowSample * 256 - wideSample), 256) << i;
  }
}

// The engine plays a chained stream up to its first link of another format, as decode shows.
TEST(DecodeCommand, DecodesAChainedStreamUpToALinkOfAnotherFormat) {
  TempDir dir;
  WriteFile(dir / "chain.ogg", vorbis_test::Encode(1, 11025, 4000, vorbis_test::Sine(330, 11025), 0.4f, 3) +
                                   vorbis_test::Encode(2, 22050, 3000, vorbis_test::Sine(440, 22050), 0.4f, 4));
  ASSERT_EQ(Decode(dir, Quote(dir / "chain.ogg") + " " + Quote(dir / "chain.wav")).status, 0);
  Wave out = ParseWave(ReadFile(dir / "chain.wav"));
  EXPECT_EQ(LE(out.format, 2, 2), 1u);  // the first stream's format
  EXPECT_EQ(out.data.size(), 4000u * 2u);
}

TEST(DecodeCommand, ListsTheMergedMidiStream) {
  using namespace smf;
  TempDir dir;
  WriteFile(dir / "song.mid", Header(1, 2, 96) +
                                  Track(Meta(0, 0x51, Bytes({0x07, 0xA1, 0x20})) + NoteOn(96, 60) +
                                        Meta(0, 0x01, "hi") + EndOfTrack()) +
                                  Track(NoteOn(96, 64) + SysEx(10, 0xF0, Bytes({0x7E, 0xF7})) + EndOfTrack()));
  ASSERT_EQ(Decode(dir, Quote(dir / "song.mid") + " " + Quote(dir / "song.txt")).status, 0);
  EXPECT_EQ(ReadFile(dir / "song.txt"),
            "0 0 TEMPO 07a120\n"
            "96 96 SHORTMSG 643c90\n"
            "96 0 SHORTMSG 644090\n"
            "96 0 NOP 000000\n"
            "106 10 LONGMSG f0027ef7\n");
}

TEST(DecodeCommand, WritesPicturesAsTheirConvertedBitmap) {
  TempDir dir;
  // A 2 x 1 picture of 24 bits: one blue and one red pixel, rows padded to 4 bytes.
  std::string bmp = std::string("BM") + std::string(12, '\0');
  bmp[2] = 62;
  bmp[10] = 54;
  std::string info(40, '\0');
  info[0] = 40;
  info[4] = 2;
  info[8] = 1;
  info[12] = 1;
  info[14] = 24;
  bmp += info + std::string("\xFF\x00\x00\x00\x00\xFF\x00\x00", 8);
  WriteFile(dir / "Tiny.bmp", bmp);
  Result result = Decode(dir, Quote(dir / "tiny.BMP") + " " + Quote(dir / "out.bmp"));
  ASSERT_EQ(result.status, 0) << result.errors;
  std::string out = ReadFile(dir / "out.bmp");
  ASSERT_GE(out.size(), 62u);
  EXPECT_EQ(out.substr(0, 2), "BM");
  EXPECT_EQ(out.substr(out.size() - 8), bmp.substr(bmp.size() - 8));
}

TEST(DecodeCommand, ReportsWhatItCannotDecode) {
  TempDir dir;
  WriteFile(dir / "notes.txt", "a text file, neither sound nor music\n");
  WriteFile(dir / "nodata.wav", riff::Riff("WAVE", riff::Chunk("fmt ", riff::PcmFormat(1, 8000, 8))));
  WriteFile(dir / "bad.mid", smf::Header(0, 1, 96));

  Result text = Decode(dir, Quote(dir / "notes.txt") + " " + Quote(dir / "out"));
  EXPECT_EQ(text.status, 2);
  // Neither sound nor music: the player would try it as a picture, and so does the tool.
  EXPECT_EQ(text.errors.rfind("fablewick-story decode: " + dir / "notes.txt" + ": ", 0), 0u) << text.errors;

  Result missing = Decode(dir, Quote(dir / "missing.ogg") + " " + Quote(dir / "out"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.errors.find("No such file or directory"), std::string::npos);

  Result noData = Decode(dir, Quote(dir / "nodata.wav") + " " + Quote(dir / "out"));
  EXPECT_EQ(noData.status, 2);
  EXPECT_NE(noData.errors.find("Loading " + dir / "nodata.wav" + ": Unable to find the requested chunk."),
            std::string::npos);

  Result unwritable = Decode(dir, Quote(dir / "bad.mid") + " " + Quote(dir / "no/such/folder/out.txt"));
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_NE(unwritable.errors.find("No such file or directory"), std::string::npos);

  for (const std::string& arguments : {std::string(), Quote(dir / "bad.mid"), std::string("--16bit a b"), std::string("a b c")}) {
    Result usage = Decode(dir, arguments);
    EXPECT_EQ(usage.status, 2) << arguments;
    EXPECT_EQ(usage.errors, "usage: fablewick-story decode [--8bit] MEDIA OUT\n") << arguments;
  }
}
