// Tunes written as text become MIDI files that the player reads note for note.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "tests/storytool/ToolRunner.h"
#include "tests/support/TestFiles.h"
#include "tools/music/TuneWriter.h"

namespace {

struct StreamEvent {
  uint32_t tick;
  std::string type;
  std::string data;  // six hex digits: data2, data1, status for short messages
};

// The merged event stream as the player's MIDI reader sees it.
std::vector<StreamEvent> Decode(const std::string& midi) {
  testing_support::TempDir dir;
  testing_support::WriteFile(dir / "tune.mid", midi);
  ToolRun run = RunStoryTool({"decode", dir / "tune.mid", dir / "tune.txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<StreamEvent> events;
  std::istringstream lines(testing_support::ReadFile(dir / "tune.txt"));
  StreamEvent event;
  uint32_t delta = 0;
  while (lines >> event.tick >> delta >> event.type >> event.data)
    if (event.type != "NOP") events.push_back(event);
  return events;
}

Tune TwoPartTune() {
  Tune tune;
  tune.Title = "test";
  tune.BarUnits = 8;
  tune.Repeats = 2;
  tune.Tempos = {{0, 120}, {8, 60}};
  TunePart melody;
  melody.Name = "melody";
  melody.Program = 73;
  melody.Velocity = 80;
  melody.Legato = 1.0;
  melody.Notes = "C4:2 C4 | Bb3:1 F#5 r:2";  // the length carries over to the next token
  TunePart chords;
  chords.Name = "chords";
  chords.Channel = 1;
  chords.Program = 0;
  chords.Notes = "C4+E4+G4:8";
  tune.Parts = {melody, chords};
  return tune;
}

TEST(TuneWriter, NotesTemposAndInstrumentsReachThePlayer) {
  std::string midi, error;
  ASSERT_TRUE(WriteTune(TwoPartTune(), midi, error)) << error;
  std::vector<StreamEvent> events = Decode(midi);

  std::vector<std::string> tempos, programs, melodyKeys;
  int chordNotes = 0;
  for (const StreamEvent& event : events) {
    if (event.type == "TEMPO") tempos.push_back(std::to_string(event.tick) + ":" + event.data);
    if (event.type != "SHORTMSG") continue;
    std::string status = event.data.substr(4), key = event.data.substr(2, 2), velocity = event.data.substr(0, 2);
    if (status[0] == 'c') programs.push_back(status + key);
    if (status == "90" && velocity != "00") melodyKeys.push_back(std::to_string(event.tick) + ":" + key);
    if (status == "91" && velocity != "00") ++chordNotes;
  }
  // 120 and 60 beats a minute; the second tempo at the start of the first repeat (8 eighths).
  EXPECT_EQ(tempos, (std::vector<std::string>{"0:07a120", "1920:0f4240"}));
  EXPECT_EQ(programs, (std::vector<std::string>{"c049", "c100"}));
  // C4 = 60, Bb3 = 58, F#5 = 78; the rest keeps its time; the tune plays twice.
  EXPECT_EQ(melodyKeys, (std::vector<std::string>{"0:3c", "480:3c", "960:3a", "1200:4e", "1920:3c", "2400:3c",
                                                  "2880:3a", "3120:4e"}));
  EXPECT_EQ(chordNotes, 6);
}

TEST(TuneWriter, ARepeatedNoteEndsBeforeItStartsAgain) {
  std::string midi, error;
  ASSERT_TRUE(WriteTune(TwoPartTune(), midi, error)) << error;
  // With full legato the first C4 ends on the tick where the second begins: the note-off must
  // come first, or the output would cut the new note at once.
  std::vector<StreamEvent> events = Decode(midi);
  int checked = 0;
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i].tick != 480 || events[i].data.substr(2) != "3c90") continue;
    bool offBefore = false;
    for (size_t j = 0; j < i; ++j)
      if (events[j].tick == 480 && (events[j].data.substr(2) == "3c80" || events[j].data == "003c90")) offBefore = true;
    for (size_t j = i + 1; j < events.size() && events[j].tick == 480; ++j)
      EXPECT_NE(events[j].data.substr(2), "3c80") << "the second C4 is cut off at once";
    EXPECT_TRUE(offBefore);
    ++checked;
  }
  EXPECT_EQ(checked, 1);
}

TEST(TuneWriter, RejectsUnreadableNotesAndUnevenParts) {
  struct Case {
    const char* melody;
    const char* chords;
    const char* complaint;
  } cases[] = {
      {"H4:8", "C4:8", "bad pitch in H4:8"},
      {"C4:0 C4:8", "C4:8", "bad length"},
      {"C4#:8", "C4:8", "bad pitch"},
      {"C4:8", "C4:4", "chords: 4 units"},
      {"C4:6", "C4:6", "melody: 6 units where 6 whole bars of 8"},
  };
  for (const Case& c : cases) {
    Tune tune = TwoPartTune();
    tune.Parts[0].Notes = c.melody;
    tune.Parts[1].Notes = c.chords;
    std::string midi, error;
    EXPECT_FALSE(WriteTune(tune, midi, error)) << c.melody;
    EXPECT_NE(error.find(c.complaint), std::string::npos) << error;
  }
}

}  // namespace
