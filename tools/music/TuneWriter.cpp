#include "tools/music/TuneWriter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

#include "tools/music/MidiFileWriter.h"

namespace {

struct Note {
  std::vector<uint8_t> Keys;  // empty for a rest
  uint32_t Units = 0;
};

// A pitch such as C4, F#3 or Bb5 as a MIDI key.
bool ParsePitch(const std::string& text, uint8_t& key) {
  static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (text.size() < 2) return false;
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (letter < 'A' || letter > 'G') return false;
  int semitone = kSemitones[letter - 'A'];
  size_t at = 1;
  for (; at < text.size() && (text[at] == '#' || text[at] == 'b'); ++at) semitone += text[at] == '#' ? 1 : -1;
  if (at + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return false;
  int value = 12 * (text[at] - '0' + 1) + semitone;
  if (value < 0 || value > 127) return false;
  key = static_cast<uint8_t>(value);
  return true;
}

bool ParseNotes(const std::string& text, std::vector<Note>& notes, std::string& error) {
  std::istringstream tokens(text);
  std::string token;
  uint32_t units = 1;
  while (tokens >> token) {
    if (token == "|") continue;
    Note note;
    size_t colon = token.find(':');
    std::string pitches = token.substr(0, colon);
    if (colon != std::string::npos) {
      std::string length = token.substr(colon + 1);
      if (length.empty() || length.find_first_not_of("0123456789") != std::string::npos || std::stoul(length) == 0) {
        error = "bad length in " + token;
        return false;
      }
      units = static_cast<uint32_t>(std::stoul(length));
    }
    note.Units = units;
    if (pitches != "r") {
      std::istringstream chord(pitches);
      std::string pitch;
      while (std::getline(chord, pitch, '+')) {
        uint8_t key = 0;
        if (!ParsePitch(pitch, key)) {
          error = "bad pitch in " + token;
          return false;
        }
        note.Keys.push_back(key);
      }
    }
    notes.push_back(note);
  }
  return true;
}

uint32_t TotalUnits(const std::vector<Note>& notes) {
  uint32_t total = 0;
  for (const Note& note : notes) total += note.Units;
  return total;
}

uint8_t Stressed(const Tune& tune, const TunePart& part, uint32_t unit) {
  int velocity = part.Velocity;
  if (unit % tune.BarUnits == 0)
    velocity += 10;
  else if (unit % tune.AccentEvery == 0)
    velocity += 4;
  else
    velocity -= 4;
  return static_cast<uint8_t>(std::max(1, std::min(127, velocity)));
}

}  // namespace

bool WriteTune(const Tune& tune, std::string& out, std::string& error) {
  CMidiFileWriter writer(tune.TicksPerQuarter);
  writer.AddText(0, 0, 3, tune.Title);
  uint8_t power = tune.BeatPower;
  writer.AddTimeSignature(0, tune.BeatsPerBar, power);
  for (const TuneTempo& tempo : tune.Tempos) writer.AddTempo(tempo.Unit * tune.UnitTicks, tempo.BeatsPerMinute);

  uint32_t length = 0;
  for (const TunePart& part : tune.Parts) {
    std::vector<Note> notes;
    if (!ParseNotes(part.Notes, notes, error)) {
      error = part.Name + ": " + error;
      return false;
    }
    uint32_t units = TotalUnits(notes);
    if (length == 0) length = units;
    if (units != length || units % tune.BarUnits != 0) {
      error = part.Name + ": " + std::to_string(units) + " units where " + std::to_string(length) +
              " whole bars of " + std::to_string(tune.BarUnits) + " were expected";
      return false;
    }
    size_t track = writer.AddTrack();
    writer.AddText(track, 0, 3, part.Name);
    writer.AddProgram(track, 0, part.Channel, part.Program);
    writer.AddMessage(track, 0, static_cast<uint8_t>(0xB0 | part.Channel), 7, part.Volume);
    writer.AddMessage(track, 0, static_cast<uint8_t>(0xB0 | part.Channel), 10, part.Pan);
    writer.AddMessage(track, 0, static_cast<uint8_t>(0xB0 | part.Channel), 91, 48);  // a little reverb
    uint32_t unit = 0;
    for (int pass = 0; pass < tune.Repeats; ++pass) {
      for (const Note& note : notes) {
        uint32_t ticks = note.Units * tune.UnitTicks;
        uint32_t sounding = std::max<uint32_t>(1, static_cast<uint32_t>(std::lround(ticks * part.Legato)));
        for (uint8_t key : note.Keys)
          writer.AddNote(track, unit * tune.UnitTicks, sounding, part.Channel, key, Stressed(tune, part, unit));
        unit += note.Units;
      }
    }
  }
  out = writer.Bytes();
  return true;
}
