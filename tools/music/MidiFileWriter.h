#pragma once
// Writes standard MIDI files (format 1): a conductor track with the tempo map and any number
// of instrument tracks. Events are kept with absolute ticks and written in time order.
#include <cstdint>
#include <string>
#include <vector>

class CMidiFileWriter {
 public:
  explicit CMidiFileWriter(uint16_t ticksPerQuarter) : m_division(ticksPerQuarter) { m_tracks.emplace_back(); }

  // Track 0 is the conductor track; AddTrack returns the index of a new, empty track.
  size_t AddTrack();
  // A channel message (status with its channel, then one or two data bytes).
  void AddMessage(size_t track, uint32_t tick, uint8_t status, uint8_t data1, uint8_t data2);
  void AddProgram(size_t track, uint32_t tick, uint8_t channel, uint8_t program);
  // A note from tick for length ticks; its note-off sorts before note-ons at the same tick.
  void AddNote(size_t track, uint32_t tick, uint32_t length, uint8_t channel, uint8_t key, uint8_t velocity);
  // Meta events: a tempo change in beats per minute (conductor track), the time signature
  // (conductor track), a text of the given meta type (1 text, 3 track name).
  void AddTempo(uint32_t tick, double beatsPerMinute);
  void AddTimeSignature(uint32_t tick, uint8_t numerator, uint8_t denominatorPower);
  void AddText(size_t track, uint32_t tick, uint8_t type, const std::string& text);

  // The whole file.
  std::string Bytes() const;

 private:
  struct Event {
    uint32_t Tick;
    int Order;  // events at one tick: meta first, then note-offs, then the rest, each in insertion order
    size_t Sequence;
    std::string Data;  // status byte onwards
  };
  void Add(size_t track, uint32_t tick, int order, std::string data);

  uint16_t m_division;
  size_t m_sequence = 0;
  std::vector<std::vector<Event>> m_tracks;
};
