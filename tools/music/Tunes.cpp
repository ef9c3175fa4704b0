#include "tools/music/Tunes.h"

#include <map>
#include <sstream>

namespace {

// General MIDI instruments.
enum Program : uint8_t {
  kPiano = 0, kCelesta = 8, kAccordion = 21, kNylonGuitar = 24, kAcousticBass = 32, kFiddle = 40,
  kCello = 42, kPizzicato = 45, kHarp = 46, kStrings = 48, kFrenchHorn = 60, kBassoon = 70,
  kClarinet = 71, kFlute = 73, kRecorder = 74,
};

using Voicings = std::map<std::string, std::vector<std::string>>;

// Splits "Dm Dm | C C" into chord names, one for each stretch of the accompaniment.
std::vector<std::string> Chords(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> names;
  std::string name;
  while (in >> name)
    if (name != "|") names.push_back(name);
  return names;
}

// For every chord, the voicing's notes in the order of pattern, each lasting units.
std::string Broken(const std::string& chords, const Voicings& voicings, const std::vector<size_t>& pattern,
                   int units) {
  std::string out;
  for (const std::string& chord : Chords(chords))
    for (size_t index : pattern) out += voicings.at(chord).at(index) + ":" + std::to_string(units) + " ";
  return out;
}

// For every chord, its whole voicing at once for units.
std::string Held(const std::string& chords, const Voicings& voicings, int units) {
  std::string out;
  for (const std::string& chord : Chords(chords)) {
    const std::vector<std::string>& notes = voicings.at(chord);
    for (size_t i = 0; i < notes.size(); ++i) out += (i ? "+" : "") + notes[i];
    out += ":" + std::to_string(units) + " ";
  }
  return out;
}

// For every chord, the text with {1}, {2}, ... replaced by the voicing's notes.
std::string Figure(const std::string& chords, const Voicings& voicings, const std::string& figure) {
  std::string out;
  for (const std::string& chord : Chords(chords)) {
    std::string text = figure;
    const std::vector<std::string>& notes = voicings.at(chord);
    for (size_t i = 0; i < notes.size(); ++i) {
      std::string mark = "{" + std::to_string(i + 1) + "}";
      for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark)) text.replace(at, mark.size(), notes[i]);
    }
    out += text + " ";
  }
  return out;
}

TunePart Part(const std::string& name, uint8_t channel, uint8_t program, uint8_t volume, uint8_t pan,
              uint8_t velocity, double legato, const std::string& notes) {
  TunePart part;
  part.Name = name;
  part.Channel = channel;
  part.Program = program;
  part.Volume = volume;
  part.Pan = pan;
  part.Velocity = velocity;
  part.Legato = legato;
  part.Notes = notes;
  return part;
}

// "The Tide Is Out": a slow sea song in D minor, 6/8, for flute, guitar and strings.
Tune TideIsOut() {
  Tune tune;
  tune.Title = "The Tide Is Out";
  tune.BeatsPerBar = 6;
  tune.BeatPower = 3;
  tune.BarUnits = 6;
  tune.AccentEvery = 3;
  tune.Repeats = 2;
  tune.Tempos = {{0, 100}, {180, 92}, {186, 80}};
  const std::string chords =
      "Dm Dm | C C | Bb Bb | A A | Dm Dm | F C | Gm A | Dm Dm | "
      "Bb Bb | F F | C C | Dm Dm | Bb Bb | F C | Gm A | Dm Dm";
  const Voicings guitar{{"Dm", {"D3", "A3", "F4"}}, {"C", {"C3", "G3", "E4"}}, {"Bb", {"Bb2", "F3", "D4"}},
                        {"A", {"A2", "E3", "C#4"}}, {"F", {"F2", "C3", "A3"}}, {"Gm", {"G2", "D3", "Bb3"}}};
  const Voicings pad{{"Dm", {"D4", "F4", "A4"}}, {"C", {"C4", "E4", "G4"}}, {"Bb", {"Bb3", "D4", "F4"}},
                     {"A", {"A3", "C#4", "E4"}}, {"F", {"A3", "C4", "F4"}}, {"Gm", {"Bb3", "D4", "G4"}}};
  const std::string melody =
      "A4:3 D5:2 E5:1 | F5:2 E5:1 D5:2 C5:1 | D5:3 Bb4:2 C5:1 | A4:6 | "
      "A4:2 D5:1 F5:2 A5:1 | G5:2 F5:1 E5:2 C5:1 | D5:2 Bb4:1 C#5:2 E5:1 | D5:6 | "
      "F5:3 D5:2 F5:1 | A5:3 F5:3 | G5:2 E5:1 C5:2 E5:1 | F5:2 E5:1 D5:3 | "
      "D5:2 Bb4:1 D5:2 F5:1 | C5:2 A4:1 G4:2 E5:1 | Bb4:2 A4:1 C#5:3 | D5:6";
  tune.Parts = {Part("Flute", 0, kFlute, 100, 70, 84, 0.95, melody),
                Part("Guitar", 1, kNylonGuitar, 96, 48, 72, 1.6, Broken(chords, guitar, {0, 1, 2}, 1)),
                Part("Strings", 2, kStrings, 70, 84, 48, 1.0, Held(chords, pad, 3))};
  return tune;
}

// "The Light Is Lit": a warm hymn in F major for horn, strings, celesta and cello.
Tune LightIsLit() {
  Tune tune;
  tune.Title = "The Light Is Lit";
  tune.Repeats = 2;
  tune.Tempos = {{0, 72}, {64, 76}, {120, 66}, {124, 56}};
  const std::string chords = "F F | Dm Dm | Bb Bb | C C | F F | Bb Bb | Gm C | F F";
  const Voicings pad{{"F", {"A3", "C4", "F4"}}, {"Dm", {"A3", "D4", "F4"}}, {"Bb", {"Bb3", "D4", "F4"}},
                     {"C", {"G3", "C4", "E4"}}, {"Gm", {"G3", "Bb3", "D4"}}};
  const Voicings sparkle{{"F", {"A5", "C6", "F6"}}, {"Dm", {"A5", "D6", "F6"}}, {"Bb", {"Bb5", "D6", "F6"}},
                         {"C", {"G5", "C6", "E6"}}, {"Gm", {"G5", "Bb5", "D6"}}};
  const Voicings bass{{"F", {"F2"}}, {"Dm", {"D2"}}, {"Bb", {"Bb1"}}, {"C", {"C2"}}, {"Gm", {"G1"}}};
  const std::string melody =
      "A3:2 C4:2 F4:3 E4:1 | D4:4 A3:4 | Bb3:2 D4:2 F4:2 D4:2 | C4:6 r:2 | "
      "A3:2 C4:2 F4:2 A4:2 | G4:3 F4:1 D4:4 | D4:2 Bb3:2 C4:2 E4:2 | F4:8";
  tune.Parts = {Part("Horn", 0, kFrenchHorn, 104, 60, 82, 0.96, melody),
                Part("Strings", 1, kStrings, 84, 76, 56, 1.0, Held(chords, pad, 4)),
                Part("Celesta", 2, kCelesta, 70, 90, 46, 0.9, Broken(chords, sparkle, {0, 1, 2, 1}, 1)),
                Part("Cello", 3, kCello, 88, 40, 66, 0.98, Held(chords, bass, 4))};
  return tune;
}

// "Morning Comes": a bright waltz in G major for flute, harp and pizzicato strings.
Tune MorningComes() {
  Tune tune;
  tune.Title = "Morning Comes";
  tune.BeatsPerBar = 3;
  tune.BarUnits = 6;
  tune.Repeats = 2;
  tune.Tempos = {{0, 112}, {48, 120}, {90, 108}};
  const std::string chords = "G | D | Em | C | G | C | D | G";
  const Voicings harp{{"G", {"G2", "D3", "B3", "G4"}}, {"D", {"D2", "A2", "F#3", "D4"}},
                      {"Em", {"E2", "B2", "G3", "E4"}}, {"C", {"C2", "G2", "E3", "C4"}}};
  const std::string melody =
      "D5:2 G5:2 B5:2 | A5:4 F#5:2 | G5:2 E5:2 B4:2 | C5:4 E5:2 | "
      "D5:2 B4:1 C5:1 D5:2 | E5:2 G5:2 E5:2 | F#5:2 A5:2 F#5:2 | G5:6";
  tune.Parts = {Part("Flute", 0, kFlute, 100, 72, 86, 0.94, melody),
                Part("Harp", 1, kHarp, 96, 50, 70, 1.8, Broken(chords, harp, {0, 1, 2, 3, 2, 1}, 1)),
                Part("Pizzicato", 2, kPizzicato, 90, 40, 74, 0.5, Figure(chords, harp, "{1}:2 r:2 {2}:2"))};
  return tune;
}

// "By the Fire": a slow, cosy waltz in C major for clarinet, piano and bass.
Tune ByTheFire() {
  Tune tune;
  tune.Title = "By the Fire";
  tune.BeatsPerBar = 3;
  tune.BarUnits = 6;
  tune.Repeats = 2;
  tune.Tempos = {{0, 120}, {180, 104}, {186, 92}};
  const std::string chords = "C | C | F | C | G | G7 | C | C | Am | F | C | G | F | G | C | C";
  const Voicings piano{{"C", {"C3", "G3+C4+E4"}}, {"F", {"F2", "A3+C4+F4"}}, {"G", {"G2", "G3+B3+D4"}},
                       {"G7", {"G2", "F3+B3+D4"}}, {"Am", {"A2", "A3+C4+E4"}}};
  const std::string melody =
      "E5:2 G5:2 E5:2 | D5:2 C5:4 | A4:2 C5:2 F5:2 | E5:6 | D5:2 B4:2 D5:2 | F5:2 E5:2 D5:2 | "
      "C5:2 E5:2 G5:2 | G5:6 | A5:2 G5:2 E5:2 | F5:2 E5:2 C5:2 | E5:2 D5:2 C5:2 | D5:6 | "
      "A5:3 G5:1 F5:2 | E5:2 D5:2 B4:2 | C5:6 | r:6";
  tune.Parts = {Part("Clarinet", 0, kClarinet, 100, 66, 80, 0.95, melody),
                Part("Piano", 1, kPiano, 84, 56, 62, 0.8, Figure(chords, piano, "{1}:2 {2}:2 {2}:2")),
                Part("Bass", 2, kAcousticBass, 90, 60, 70, 0.7, Figure(chords, piano, "{1}:6"))};
  return tune;
}

// "Bramble Wood": a walking tune in A minor for recorder, pizzicato strings and bassoon.
Tune BrambleWood() {
  Tune tune;
  tune.Title = "Bramble Wood";
  tune.Repeats = 1;
  tune.Tempos = {{0, 100}, {64, 106}, {120, 96}};
  const std::string chords =
      "Am Am | G G | F F | E E | Am Am | G G | F E | Am Am | "
      "C C | G G | Am Am | E E | F F | C C | Dm E | Am Am";
  const Voicings pizz{{"Am", {"A2", "E3", "A3"}}, {"G", {"G2", "D3", "G3"}}, {"F", {"F2", "C3", "F3"}},
                      {"E", {"E2", "B2", "G#3"}}, {"C", {"C3", "G3", "C4"}}, {"Dm", {"D3", "A3", "D4"}}};
  const std::string melody =
      "A4:1 B4:1 C5:2 E5:2 A5:2 | G5:3 F5:1 E5:2 D5:2 | C5:2 A4:2 F5:3 E5:1 | E5:4 B4:2 G#4:2 | "
      "A4:1 C5:1 E5:2 A5:3 G5:1 | F5:2 E5:2 D5:2 B4:2 | C5:2 D5:2 B4:2 G#4:2 | A4:6 r:2 | "
      "E5:2 G5:2 C6:3 B5:1 | B5:2 G5:2 D5:4 | C5:2 E5:2 A5:2 G5:2 | G#5:6 r:2 | "
      "A5:2 F5:2 C5:2 F5:2 | E5:3 D5:1 C5:4 | D5:2 F5:2 E5:2 G#4:2 | A4:8";
  tune.Parts = {Part("Recorder", 0, kRecorder, 100, 70, 84, 0.9, melody),
                Part("Pizzicato", 1, kPizzicato, 88, 50, 70, 0.6, Broken(chords, pizz, {0, 1, 2, 1}, 1)),
                Part("Bassoon", 2, kBassoon, 80, 58, 66, 0.85, Figure(chords, pizz, "{1}:4"))};
  return tune;
}

// "The Miller's Jig": a quick jig in G major for fiddle, accordion and bass; it speeds up.
Tune MillersJig() {
  Tune tune;
  tune.Title = "The Miller's Jig";
  tune.BeatsPerBar = 6;
  tune.BeatPower = 3;
  tune.BarUnits = 6;
  tune.AccentEvery = 3;
  tune.Repeats = 2;
  tune.Tempos = {{0, 126}, {96, 138}, {186, 120}};
  const std::string chords =
      "G G | C C | G G | D D | G G | C C | D D | G G | "
      "Em Em | C C | G G | D D | Em Em | C C | D D | G G";
  const Voicings accordion{{"G", {"G2", "B3+D4+G4"}}, {"C", {"C3", "C4+E4+G4"}}, {"D", {"D3", "A3+D4+F#4"}},
                           {"Em", {"E2", "B3+E4+G4"}}};
  const std::string melody =
      "D5:1 B4 D5 G5 D5 B4 | C5 E5 G5 E5 C5 E5 | D5 G5 B5 A5 G5 D5 | F#5:2 E5:1 D5:3 | "
      "B4:1 D5 G5 B5 G5 D5 | E5 G5 C6 B5 A5 G5 | F#5 A5 F#5 D5 E5 F#5 | G5:3 G4:3 | "
      "E5:1 G5 B5 G5 E5 G5 | E5 G5 C6 G5 E5 C5 | D5 G5 B5 D6:2 B5:1 | A5:3 F#5:3 | "
      "G5:1 F#5 E5 B4 E5 G5 | C6:2 B5:1 A5:2 G5:1 | F#5:1 E5 D5 A4 D5 F#5 | G5:3 r:3";
  tune.Parts = {Part("Fiddle", 0, kFiddle, 100, 72, 84, 0.85, melody),
                Part("Accordion", 1, kAccordion, 78, 52, 62, 0.7, Figure(chords, accordion, "r:1 {2}:1 {2}:1")),
                Part("Bass", 2, kAcousticBass, 96, 60, 78, 0.8, Figure(chords, accordion, "{1}:1 r:2"))};
  return tune;
}

}  // namespace

std::vector<StoryTune> StoryTunes() {
  return {{"Lantern/music/sea.mid", TideIsOut()},         {"Lantern/music/lantern.mid", LightIsLit()},
          {"Lantern/music/dawn.mid", MorningComes()},     {"Autumn/music/hearth.mid", ByTheFire()},
          {"Autumn/music/wood.mid", BrambleWood()},       {"Autumn/music/mill.mid", MillersJig()}};
}
