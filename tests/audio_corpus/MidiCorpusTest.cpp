// Every MIDI file of the corpus read by the player's reader, its merged stream compared with
// an independent reading: mido (Debian's python3-mido, run by /usr/bin/python3) decodes each
// track, and tests/audio_corpus/midi_oracle.py orders the events as the merged stream does.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "audio/MidiSequence.h"
#include "audio/MidiStreamEvent.h"
#include "platform/MidiTypes.h"
#include "tests/audio_corpus/CorpusTools.h"
#include "tests/support/TestFiles.h"

namespace {

struct OracleAnswer {
  std::string status;  // OK, NOTMIDI or REFUSED ...
  std::vector<std::string> lines;
};

std::map<std::string, OracleAnswer> AskOracle(const std::vector<std::string>& files) {
  std::string command = "/usr/bin/python3 " +
                        corpus::Quote(testing_support::SourceDir() + "/tests/audio_corpus/midi_oracle.py");
  for (const std::string& file : files) command += " " + corpus::Quote(file);
  int status = 0;
  std::istringstream output(corpus::Run(command, status));
  EXPECT_EQ(status, 0) << "the oracle failed: is python3-mido installed for /usr/bin/python3?";
  std::map<std::string, OracleAnswer> answers;
  OracleAnswer* current = nullptr;
  std::string line;
  while (std::getline(output, line)) {
    if (line.rfind("FILE ", 0) == 0) {
      current = &answers[line.substr(5)];
      *current = OracleAnswer();
    } else if (current && current->status.empty()) {
      current->status = line;
    } else if (current) {
      current->lines.push_back(line);
    }
  }
  return answers;
}

std::string Hex(const std::vector<uint8_t>& bytes, size_t from) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = from; i < bytes.size(); ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 15];
  }
  return out;
}

// The merged stream as "TICK TYPE DATA" in the oracle's terms: system exclusive events as their
// message bytes without the status, the length byte, a leading F0 or a trailing F7.
std::vector<std::string> OurStream(CMidiSequence& sequence) {
  std::vector<std::string> lines;
  for (const MidiStreamEvent& event : ListMidiStreamEvents(sequence)) {
    const std::vector<uint8_t>& p = event.parameters;
    if (event.type == MEVT_LONGMSG && p.size() >= 2 && (p[0] == 0xF0 || p[0] == 0xF7)) {
      std::vector<uint8_t> data(p.begin() + 2, p.end());
      if (!data.empty() && data.front() == 0xF0) data.erase(data.begin());
      if (!data.empty() && data.back() == 0xF7) data.pop_back();
      lines.push_back(std::to_string(event.tick) + " SYSEX " + Hex(data, 0));
    } else {
      std::string line = FormatMidiStreamEvent(event);  // TICK DELTA TYPE DATA
      size_t afterTick = line.find(' ');
      size_t afterDelta = line.find(' ', afterTick + 1);
      lines.push_back(line.substr(0, afterTick) + line.substr(afterDelta));
    }
  }
  return lines;
}

// Files on which the player and the independent reader part by design.
struct Difference {
  const char* file;
  const char* reason;
  const char* readsLike;  // a corpus file the oracle reads as the player reads this one
};

const char* const kRunningStatus =
    "running status continues across system exclusive events in the player, as the file expects; "
    "mido takes the system exclusive status over";
const char* const kIllegalStatus =
    "the player reads a system common or real-time status byte, illegal in a file, as a channel "
    "message with two data bytes; mido reads its own length or refuses the byte";

const Difference kDifferences[] = {
    {"midi/nfroidure-midifile/MIDIBadHeaderLength.mid",
     "the player reads the six header fields, not the length the header declares",
     "midi/nfroidure-midifile/MIDIOkFormat0.mid"},
    {"midi/nfroidure-midifile/MIDIBadTrackLength.mid",
     "the player reads a track up to its end-of-track event, whatever length the chunk declares",
     "midi/nfroidure-midifile/MIDIOkFormat0.mid"},
    {"midi/generated/gen-sysex-f7-packets.mid", kRunningStatus, nullptr},
    {"midi/jazz-soft/test-running-status-sysex.mid", kRunningStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-all.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-f1-xx.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-f3-xx.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-f4.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-f5.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-f6.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-f8.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-f9.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-fa.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-fb.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-fc.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-fd.mid", kIllegalStatus, nullptr},
    {"midi/jazz-soft/test-illegal-message-fe.mid", kIllegalStatus, nullptr},
};

const Difference* FindDifference(const std::string& shortName) {
  for (const Difference& difference : kDifferences)
    if (shortName == difference.file) return &difference;
  return nullptr;
}

}  // namespace

TEST(MidiCorpus, MergedStreamsMatchAnIndependentReader) {
  std::vector<std::string> files = corpus::ListFiles("midi");
  if (files.empty()) GTEST_SKIP() << "no corpus";
  std::string root = testing_support::CorpusDir() + "/";
  std::vector<std::string> asked = files;
  for (const Difference& difference : kDifferences)
    if (difference.readsLike && std::find(asked.begin(), asked.end(), root + difference.readsLike) == asked.end())
      asked.push_back(root + difference.readsLike);
  std::map<std::string, OracleAnswer> answers = AskOracle(asked);

  int compared = 0;
  for (const std::string& file : files) {
    std::string name = corpus::ShortName(file);
    SCOPED_TRACE(name);
    const OracleAnswer& answer = answers[file];
    CMidiSequence sequence;
    bool loaded = sequence.Load(file, false, true);
    if (answer.status == "NOTMIDI") {
      EXPECT_FALSE(loaded);
      EXPECT_EQ(sequence.GetErrorText(), "Error! \"" + file + "\": is not a valid midi file!");
      continue;
    }
    ASSERT_TRUE(loaded) << sequence.GetErrorText();
    std::vector<std::string> ours = OurStream(sequence);
    if (const Difference* difference = FindDifference(name)) {
      if (difference->readsLike) {
        const OracleAnswer& like = answers[root + difference->readsLike];
        ASSERT_EQ(like.status, "OK");
        EXPECT_EQ(ours, like.lines) << difference->reason;
      } else {
        EXPECT_TRUE(answer.status != "OK" || answer.lines != ours)
            << "the readers agree now; the difference noted no longer holds: " << difference->reason;
        EXPECT_GE(sequence.GetTrackCount(), 1u);
      }
      continue;
    }
    ASSERT_EQ(answer.status, "OK");
    EXPECT_EQ(ours, answer.lines);
    ++compared;
  }
  EXPECT_GE(compared, 60);
}
