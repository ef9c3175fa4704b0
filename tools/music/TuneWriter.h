#pragma once
// Tunes written as text, one line of notes for each instrument, turned into standard MIDI files.
//
// Notes are tokens separated by blanks: a pitch such as C4, F#3 or Bb5 (C4 is middle C), several
// pitches joined by + for a chord, or r for a rest, then : and the length in units (a unit is
// unitTicks ticks). A token without a length keeps the length of the one before. | marks a bar
// and is only there for the reader; every part of a tune must come to the same length.
#include <cstdint>
#include <string>
#include <vector>

struct TunePart {
  std::string Name;
  uint8_t Channel = 0;
  uint8_t Program = 0;  // General MIDI instrument, 0 to 127
  uint8_t Volume = 100;
  uint8_t Pan = 64;
  uint8_t Velocity = 80;
  double Legato = 0.92;  // the share of its length that a note sounds
  std::string Notes;
};

struct TuneTempo {
  uint32_t Unit;  // position in units from the start of the whole tune, repeats included
  double BeatsPerMinute;
};

struct Tune {
  std::string Title;
  uint8_t BeatsPerBar = 4;
  uint8_t BeatPower = 2;      // the beat's note value as a power of two (2: quarter, 3: eighth)
  uint16_t TicksPerQuarter = 480;
  uint32_t UnitTicks = 240;   // an eighth note
  uint32_t AccentEvery = 2;   // units between stressed notes
  uint32_t BarUnits = 8;      // units in a bar; the first note of a bar is stressed most
  int Repeats = 1;            // how many times the notes are played in a row
  std::vector<TuneTempo> Tempos;
  std::vector<TunePart> Parts;
};

// Writes the tune as a standard MIDI file into out. False with a reason in error when a part's
// notes cannot be read or the parts differ in length.
bool WriteTune(const Tune& tune, std::string& out, std::string& error);
