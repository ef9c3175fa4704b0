#include "audio/MidiSequence.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio/MidiStreamEvent.h"
#include "tests/audio/SmfBuilder.h"
#include "tests/support/TestFiles.h"

using namespace smf;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

// Loads bytes as a file the way the game does (NOPs for meta events, buffers built) and lists
// the merged stream, one "TICK DELTA TYPE DATA" line per event.
struct Loaded {
  bool ok = false;
  std::vector<std::string> lines;
  std::string error;
};

Loaded LoadBytes(CMidiSequence& sequence, const std::string& bytes, bool keepMeta = false) {
  TempDir dir;
  WriteFile(dir / "music.mid", bytes);
  Loaded result;
  result.ok = sequence.Load(dir / "music.mid", keepMeta, true);
  result.error = sequence.GetErrorText();
  for (const MidiStreamEvent& event : ListMidiStreamEvents(sequence))
    result.lines.push_back(FormatMidiStreamEvent(event));
  return result;
}

Loaded LoadBytes(const std::string& bytes, bool keepMeta = false) {
  CMidiSequence sequence;
  return LoadBytes(sequence, bytes, keepMeta);
}

uint32_t LE32(const uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

TEST(MidiSequence, ReportsFilesThatCannotBeOpened) {
  TempDir dir;
  CMidiSequence sequence;
  std::string path = dir / "missing.mid";
  EXPECT_FALSE(sequence.Load(path, false, true));
  EXPECT_EQ(sequence.GetErrorText(),
            "Error (2)! Opening for reading \"" + path + "\": No such file or directory");
  EXPECT_FALSE(sequence.IsReady());
  EXPECT_EQ(sequence.GetPath(), "");
}

TEST(MidiSequence, ReportsFilesThatCannotBeRead) {
  TempDir dir;
  testing_support::MakeFolders(dir / "folder.mid");
  CMidiSequence sequence;
  EXPECT_FALSE(sequence.Load(dir / "folder.mid", false, true));
  EXPECT_EQ(sequence.GetErrorText(),
            "Error (21)! reading file \"" + dir / "folder.mid" + "\": Is a directory");
}

TEST(MidiSequence, RefusesFilesOver64MiBBeforeReadingThem) {
  TempDir dir;
  WriteFile(dir / "huge.mid", Header(0, 1, 96) + Track(NoteOn(0, 60) + EndOfTrack()));
  ASSERT_EQ(::truncate((dir / "huge.mid").c_str(), 64 * 1024 * 1024 + 1), 0);  // sparse: no disk used
  CMidiSequence sequence;
  const long before = testing_support::PeakResidentKiB();
  EXPECT_FALSE(sequence.Load(dir / "huge.mid", false, true));
  EXPECT_EQ(sequence.GetErrorText(), "Error (27)! reading file \"" + dir / "huge.mid" + "\": File too large");
  EXPECT_LT(testing_support::PeakResidentKiB() - before, 32 * 1024) << "KiB more at the peak";
}

TEST(MidiSequence, RefusesFilesWithoutHeaderChunk) {
  const std::string smf = Header(0, 1, 96) + Track(NoteOn(0, 60) + EndOfTrack());
  const std::string riffWrapped = "RIFF" + std::string("\x00\x01\x00\x00", 4) + "RMIDdata" +
                                  std::string("\x00\x01\x00\x00", 4) + smf;
  for (const std::string& bytes : {std::string(), std::string("MTh"), std::string("hello, world"),
                                   riffWrapped}) {
    TempDir dir;
    WriteFile(dir / "x.mid", bytes);
    CMidiSequence sequence;
    EXPECT_FALSE(sequence.Load(dir / "x.mid", false, true));
    EXPECT_EQ(sequence.GetErrorText(), "Error! \"" + dir / "x.mid" + "\": is not a valid midi file!");
    EXPECT_FALSE(sequence.IsReady());
    EXPECT_EQ(sequence.GetPath(), "");
  }
}

TEST(MidiSequence, OpensFilesIgnoringLetterCase) {
  TempDir dir;
  WriteFile(dir / "Music/Theme.MID", Header(0, 1, 96) + Track(NoteOn(0, 60) + EndOfTrack()));
  CMidiSequence sequence;
  ASSERT_TRUE(sequence.Load(dir / "music/theme.mid", false, true));
  EXPECT_TRUE(sequence.IsReady());
  EXPECT_EQ(sequence.GetPath(), dir / "music/theme.mid");
  EXPECT_EQ(sequence.GetDivision(), 96);
}

TEST(MidiSequence, MergesTracksAtTickZeroTrackByTrack) {
  Loaded loaded = LoadBytes(Header(1, 2, 480) +
                            Track(NoteOn(0, 60) + NoteOn(0, 61) + EndOfTrack()) +
                            Track(NoteOn(0, 70) + NoteOn(0, 71) + EndOfTrack()));
  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.lines, (std::vector<std::string>{"0 0 SHORTMSG 643c90", "0 0 SHORTMSG 643d90",
                                                    "0 0 SHORTMSG 644690", "0 0 SHORTMSG 644790"}));
}

TEST(MidiSequence, MergesLaterTicksPendingEventsFirst) {
  Loaded loaded = LoadBytes(Header(1, 2, 480) +
                            Track(NoteOn(480, 60) + NoteOn(0, 61) + EndOfTrack()) +
                            Track(NoteOn(480, 70) + NoteOn(0, 71) + EndOfTrack()));
  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.lines,
            (std::vector<std::string>{"480 480 SHORTMSG 643c90", "480 0 SHORTMSG 644690",
                                      "480 0 SHORTMSG 643d90", "480 0 SHORTMSG 644790"}));
}

TEST(MidiSequence, InterleavesTracksByAbsoluteTime) {
  Loaded loaded = LoadBytes(
      Header(1, 3, 96) + Track(NoteOn(10, 1) + NoteOn(20, 2) + NoteOn(5, 3) + EndOfTrack()) +
      Track(NoteOn(15, 4) + NoteOn(15, 5) + EndOfTrack(1000)) + Track(NoteOn(35, 6) + EndOfTrack()));
  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.lines,
            (std::vector<std::string>{"10 10 SHORTMSG 640190", "15 5 SHORTMSG 640490",
                                      "30 15 SHORTMSG 640290", "30 0 SHORTMSG 640590",
                                      "35 5 SHORTMSG 640390", "35 0 SHORTMSG 640690"}));
}

// The shape of a hostile tune: thousands of tracks, most of them empty, the others meeting at
// the same ticks. Events come by tick, and at one tick by track.
TEST(MidiSequence, MergesThousandsOfTracksByTickThenTrack) {
  std::string tracks;
  std::vector<std::pair<uint32_t, int>> expected;  // tick, key
  for (int track = 0; track < 3000; ++track) {
    if (track % 3 != 0) {
      tracks += Track(EndOfTrack());
      continue;
    }
    const uint32_t tick = static_cast<uint32_t>(track * 37 % 101 + 1);
    const int key = track / 3 % 128;
    tracks += Track(NoteOn(tick, key) + NoteOn(200, key) + EndOfTrack());
    expected.push_back({tick, key});
    expected.push_back({tick + 200, key});
  }
  std::stable_sort(expected.begin(), expected.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  Loaded loaded = LoadBytes(Header(1, 3000, 96) + tracks);
  ASSERT_TRUE(loaded.ok);
  ASSERT_EQ(loaded.lines.size(), expected.size());
  uint32_t previousTick = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    const auto [tick, key] = expected[i];
    char line[64];
    std::snprintf(line, sizeof line, "%u %u SHORTMSG 64%02x90", tick, tick - previousTick, key);
    ASSERT_EQ(loaded.lines[i], line) << "event " << i;
    previousTick = tick;
  }
}

TEST(MidiSequence, EmitsAFirstEventAfterADelayOnce) {
  Loaded loaded = LoadBytes(Header(0, 1, 96) + Track(NoteOn(96, 60) + EndOfTrack()));
  EXPECT_EQ(loaded.lines, (std::vector<std::string>{"96 96 SHORTMSG 643c90"}));
}

TEST(MidiSequence, KeepsTimingOfMetaEventsAsNops) {
  std::string track = Meta(50, 0x01, "hello") + NoteOn(50, 60) + Meta(0, 0x58, Bytes({4, 2, 24, 8})) +
                      NoteOn(25, 62) + EndOfTrack(7);
  Loaded nops = LoadBytes(Header(0, 1, 96) + Track(track));
  EXPECT_EQ(nops.lines, (std::vector<std::string>{"50 50 NOP 000000", "100 50 SHORTMSG 643c90",
                                                  "100 0 NOP 000000", "125 25 SHORTMSG 643e90"}));

  Loaded kept = LoadBytes(Header(0, 1, 96) + Track(track), true);
  EXPECT_EQ(kept.lines,
            (std::vector<std::string>{"50 50 COMMENT ff010568656c6c6f", "100 50 SHORTMSG 643c90",
                                      "100 0 LONGMSG ff580404021808", "125 25 SHORTMSG 643e90"}));
}

TEST(MidiSequence, ReadsTempoAsThreeBytesWhateverItsLength) {
  std::string track = Vlq(0) + Bytes({0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}) +
                      Vlq(10) + Bytes({0xFF, 0x51, 0x04, 0x0F, 0x42, 0x40}) + NoteOn(5, 60) +
                      Vlq(0) + Bytes({0xFF, 0x51, 0x00, 0x01, 0x02, 0x03}) + EndOfTrack();
  Loaded loaded = LoadBytes(Header(0, 1, 96) + Track(track));
  EXPECT_EQ(loaded.lines, (std::vector<std::string>{"0 0 TEMPO 07a120", "10 10 TEMPO 0f4240",
                                                    "15 5 SHORTMSG 643c90", "15 0 TEMPO 010203"}));
}

TEST(MidiSequence, AcceptsVariableLengthQuantitiesOfAnyLength) {
  std::string track = Bytes({0x80, 0x80, 0x80, 0x80, 0x60}) + Bytes({0x90, 60, 100}) +  // 96
                      Bytes({0x80, 0x80, 0x80, 0x80, 0x80, 0x01}) + Bytes({0x90, 61, 100}) +  // 1
                      Bytes({0x81, 0x80, 0x80, 0x80, 0x00}) + Bytes({0x90, 62, 100}) +  // 2^28
                      EndOfTrack();
  Loaded loaded = LoadBytes(Header(0, 1, 96) + Track(track));
  EXPECT_EQ(loaded.lines,
            (std::vector<std::string>{"96 96 SHORTMSG 643c90", "97 1 SHORTMSG 643d90",
                                      "268435553 268435456 SHORTMSG 643e90"}));
}

TEST(MidiSequence, ReadsRunningStatusAndOneByteMessages) {
  std::string track = NoteOn(0, 60) + Vlq(1) + Bytes({62, 90}) + Vlq(1) + Bytes({0xC1, 5}) +
                      Vlq(1) + Bytes({6}) + Vlq(1) + Bytes({0xD2, 0x40}) + Vlq(1) +
                      Bytes({0xE3, 0x00, 0x40}) + EndOfTrack();
  Loaded loaded = LoadBytes(Header(0, 1, 96) + Track(track));
  EXPECT_EQ(loaded.lines,
            (std::vector<std::string>{"0 0 SHORTMSG 643c90", "1 1 SHORTMSG 5a3e90",
                                      "2 1 SHORTMSG 0005c1", "3 1 SHORTMSG 0006c1",
                                      "4 1 SHORTMSG 0040d2", "5 1 SHORTMSG 4000e3"}));
}

TEST(MidiSequence, SystemExclusiveAndMetaEventsLeaveRunningStatus) {
  std::string track = NoteOn(0, 60) + SysEx(1, 0xF0, Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7})) +
                      Vlq(1) + Bytes({62, 90}) + Meta(1, 0x06, "mark") + Vlq(1) + Bytes({64, 0}) +
                      SysEx(1, 0xF7, Bytes({0xF3, 0x01})) + EndOfTrack();
  Loaded loaded = LoadBytes(Header(0, 1, 96) + Track(track));
  EXPECT_EQ(loaded.lines,
            (std::vector<std::string>{"0 0 SHORTMSG 643c90", "1 1 LONGMSG f0057e7f0901f7",
                                      "2 1 SHORTMSG 5a3e90", "3 1 NOP 000000",
                                      "4 1 SHORTMSG 004090", "5 1 LONGMSG f702f301"}));
}

TEST(MidiSequence, LaysOutRecordsLittleEndianAndPadded) {
  CMidiSequence sequence;
  LoadBytes(sequence, Header(0, 1, 96) +
                          Track(NoteOn(0x123456, 60) + SysEx(2, 0xF0, Bytes({1, 2, 3})) + EndOfTrack()));
  ASSERT_EQ(sequence.GetBufferCount(), 1u);
  MIDIHDR* header = sequence.GetBuffer(0);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->dwBufferLength, CMidiSequence::kStreamBufferSize);
  ASSERT_EQ(header->dwBytesRecorded, 12u + 20u);
  const uint8_t* data = header->lpData;
  EXPECT_EQ(LE32(data), 0x123456u);
  EXPECT_EQ(LE32(data + 4), 0u);
  EXPECT_EQ(LE32(data + 8), 0x00643C90u);
  EXPECT_EQ(LE32(data + 12), 2u);
  EXPECT_EQ(LE32(data + 16), 0u);
  EXPECT_EQ(LE32(data + 20), 0x80000005u);
  const uint8_t parameters[] = {0xF0, 3, 1, 2, 3, 0, 0, 0};
  EXPECT_EQ(std::memcmp(data + 24, parameters, sizeof parameters), 0);
  EXPECT_EQ(header->dwFlags, 0u);
  EXPECT_EQ(header->dwUser, 0u);
}

TEST(MidiSequence, DropsTruncatedTrackAndKeepsTheRest) {
  std::string complete = Track(NoteOn(0, 60) + EndOfTrack());
  std::string truncated = Chunk("MTrk", NoteOn(0, 62) + NoteOn(5, 64)).substr(0, 8 + 4 + 2);
  std::string bytes = Header(1, 2, 96) + complete + truncated;
  CMidiSequence sequence;
  Loaded loaded = LoadBytes(sequence, bytes);
  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ(sequence.GetTrackCount(), 1u);
  EXPECT_EQ(sequence.GetParseError(), "Unexpected EOF at index " + std::to_string(bytes.size()));
  EXPECT_EQ(loaded.lines, (std::vector<std::string>{"0 0 SHORTMSG 643c90"}));
}

TEST(MidiSequence, DropsTrackWhoseEventRunsPastTheEnd) {
  std::string bytes = Header(0, 1, 96) + Track(NoteOn(0, 60) + SysEx(0, 0xF0, "abc") + EndOfTrack());
  bytes += Track(Vlq(0) + Bytes({0xF0}) + Vlq(100000) + "short");
  CMidiSequence sequence;
  Loaded loaded = LoadBytes(sequence, bytes);
  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ(sequence.GetTrackCount(), 1u);
  EXPECT_EQ(sequence.GetParseError(), "Unexpected EOF at index " + std::to_string(bytes.size()));
  EXPECT_EQ(loaded.lines.size(), 2u);
}

TEST(MidiSequence, KeepsHeaderFieldsReadBeforeTruncation) {
  CMidiSequence sequence;
  Loaded loaded = LoadBytes(sequence, "MThd" + BigEndian32(6) + Bytes({0, 1, 0}));
  EXPECT_TRUE(loaded.ok);
  EXPECT_EQ(sequence.GetDivision(), 0);
  EXPECT_EQ(sequence.GetTrackCount(), 0u);
  EXPECT_EQ(sequence.GetParseError(), "Unexpected EOF at index 11");
  EXPECT_TRUE(sequence.IsReady());
  EXPECT_TRUE(loaded.lines.empty());
}

TEST(MidiSequence, ReadsTrackAfterHeaderThatClaimsMoreThanSixBytes) {
  CMidiSequence sequence;
  std::string lying = "MThd" + BigEndian32(22) + Bytes({0, 0, 0, 1, 0, 96}) +
                      Track(NoteOn(0, 60) + EndOfTrack());
  Loaded loaded = LoadBytes(sequence, lying);
  EXPECT_EQ(sequence.GetDivision(), 96);
  EXPECT_EQ(loaded.lines, (std::vector<std::string>{"0 0 SHORTMSG 643c90"}));

  // A longer header that says so truly: its extra bytes are skipped.
  std::string longer = "MThd" + BigEndian32(10) + Bytes({0, 0, 0, 1, 0, 96, 'x', 't', 'r', 'a'}) +
                       Track(NoteOn(0, 60) + EndOfTrack());
  loaded = LoadBytes(sequence, longer);
  EXPECT_EQ(sequence.GetDivision(), 96);
  EXPECT_EQ(loaded.lines, (std::vector<std::string>{"0 0 SHORTMSG 643c90"}));
}

TEST(MidiSequence, SkipsUnknownChunksBetweenTracks) {
  std::string bytes = Header(1, 2, 96) + Track(NoteOn(0, 60) + EndOfTrack()) +
                      Chunk("XTRA", "unknown chunk!!!") + Track(NoteOn(10, 70) + EndOfTrack());
  CMidiSequence sequence;
  Loaded loaded = LoadBytes(sequence, bytes);
  EXPECT_EQ(sequence.GetTrackCount(), 2u);
  EXPECT_EQ(loaded.lines, (std::vector<std::string>{"0 0 SHORTMSG 643c90", "10 10 SHORTMSG 644690"}));

  // An unknown chunk that claims more than the file holds ends the reading safely.
  Loaded runaway = LoadBytes(Header(1, 2, 96) + Track(NoteOn(0, 60) + EndOfTrack()) + "XTRA" +
                             BigEndian32(0xFFFFFFF0) + Track(NoteOn(10, 70) + EndOfTrack()));
  EXPECT_EQ(runaway.lines, (std::vector<std::string>{"0 0 SHORTMSG 643c90"}));
}

TEST(MidiSequence, WalksMetaEventsLongerThan255BytesByTheirTrueSize) {
  std::string text(300, 'x');
  Loaded loaded = LoadBytes(Header(0, 1, 96) +
                                Track(Meta(0, 0x01, text) + NoteOn(3, 60) + Meta(4, 0x7F, text) +
                                      NoteOn(0, 61) + EndOfTrack()),
                            true);
  std::string hexText;
  for (int i = 0; i < 300; ++i) hexText += "78";
  EXPECT_EQ(loaded.lines,
            (std::vector<std::string>{"0 0 COMMENT ff012c" + hexText, "3 3 SHORTMSG 643c90",
                                      "7 4 LONGMSG ff7f2c" + hexText, "7 0 SHORTMSG 643d90"}));
}

TEST(MidiSequence, GivesRecordsThatFitNoBufferLeftAFurtherBuffer) {
  // Three long events of about 26,000 bytes: two buffers by the size estimate, but only one
  // event fits a buffer, so the third needs a further buffer.
  std::string big(26000, 0x11);
  CMidiSequence sequence;
  Loaded loaded = LoadBytes(sequence, Header(0, 1, 96) +
                                          Track(SysEx(0, 0xF0, big) + SysEx(1, 0xF0, big) +
                                                SysEx(2, 0xF0, big) + NoteOn(3, 60) + EndOfTrack()));
  ASSERT_EQ(loaded.lines.size(), 4u);
  EXPECT_EQ(sequence.GetBufferCount(), 3u);
  EXPECT_EQ(loaded.lines[3], "6 3 SHORTMSG 643c90");
  for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(sequence.GetBuffer(i)->dwBytesRecorded, 26016u + (i == 2 ? 12u : 0u));
}

TEST(MidiSequence, PlacesAnEventLargerThanABufferInAnEnlargedBuffer) {
  std::string huge(60000, 0x22);
  CMidiSequence sequence;
  Loaded loaded = LoadBytes(sequence, Header(0, 1, 96) +
                                          Track(NoteOn(0, 60) + SysEx(1, 0xF0, huge) + NoteOn(1, 61) +
                                                EndOfTrack()));
  ASSERT_EQ(loaded.lines.size(), 3u);
  EXPECT_EQ(loaded.lines[2], "2 1 SHORTMSG 643d90");
  ASSERT_GE(sequence.GetBufferCount(), 2u);
  MIDIHDR* second = sequence.GetBuffer(1);
  EXPECT_EQ(second->dwBufferLength, 60016u);
  EXPECT_EQ(second->dwBytesRecorded, 60016u);
}

TEST(MidiSequence, SizesBuffersFromTheEventBytes) {
  // 5,000 note events of 12 bytes: 60,000 bytes plus slack need two buffers.
  std::string events;
  for (int i = 0; i < 5000; ++i) events += NoteOn(1, 60 + i % 12);
  CMidiSequence sequence;
  Loaded loaded = LoadBytes(sequence, Header(0, 1, 96) + Track(events + EndOfTrack()));
  EXPECT_EQ(loaded.lines.size(), 5000u);
  EXPECT_EQ(sequence.GetBufferCount(), 2u);
  EXPECT_EQ(sequence.GetBuffer(0)->dwBytesRecorded, 49152u);
  EXPECT_EQ(sequence.GetBuffer(1)->dwBytesRecorded, 60000u - 49152u);
}

TEST(MidiSequence, ReportsBufferIndexOutOfBounds) {
  CMidiSequence sequence;
  LoadBytes(sequence, Header(0, 1, 96) + Track(NoteOn(0, 60) + EndOfTrack()));
  EXPECT_NE(sequence.GetBuffer(0), nullptr);
  EXPECT_EQ(sequence.GetBuffer(1), nullptr);
  EXPECT_EQ(sequence.GetErrorText(), "buffer index (1) out of bounds.");
}

TEST(MidiSequence, ClearForgetsEverythingButTheErrorText) {
  CMidiSequence sequence;
  LoadBytes(sequence, Header(0, 1, 96) + Track(NoteOn(0, 60) + EndOfTrack()));
  ASSERT_TRUE(sequence.IsReady());
  sequence.GetBuffer(7);
  sequence.Clear();
  EXPECT_FALSE(sequence.IsReady());
  EXPECT_EQ(sequence.GetPath(), "");
  EXPECT_EQ(sequence.GetBufferCount(), 0u);
  EXPECT_EQ(sequence.GetErrorText(), "buffer index (7) out of bounds.");
}

TEST(MidiSequence, IsNotReadyWithoutBuffers) {
  TempDir dir;
  WriteFile(dir / "a.mid", Header(0, 1, 96) + Track(NoteOn(0, 60) + EndOfTrack()));
  CMidiSequence sequence;
  ASSERT_TRUE(sequence.Load(dir / "a.mid", false, false));
  EXPECT_EQ(sequence.GetTrackCount(), 1u);
  EXPECT_EQ(sequence.GetBufferCount(), 0u);
  EXPECT_FALSE(sequence.IsReady());
  // A second load starts afresh.
  WriteFile(dir / "b.mid", Header(0, 1, 120) + Track(NoteOn(0, 60) + EndOfTrack()));
  ASSERT_TRUE(sequence.Load(dir / "b.mid", false, true));
  EXPECT_EQ(sequence.GetTrackCount(), 1u);
  EXPECT_EQ(sequence.GetDivision(), 120);
  EXPECT_TRUE(sequence.IsReady());
}
