#include "tools/music/MidiFileWriter.h"

#include <algorithm>
#include <cmath>

namespace {

void PutBe32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutBe16(std::string& out, uint16_t value) {
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value & 0xFF);
}

// A variable-length quantity: seven bits a byte, most significant first.
void PutVarLen(std::string& out, uint32_t value) {
  char bytes[5];
  int count = 0;
  do {
    bytes[count++] = static_cast<char>(value & 0x7F);
    value >>= 7;
  } while (value);
  while (count > 1) out += static_cast<char>(bytes[--count] | 0x80);
  out += bytes[0];
}

constexpr int kMetaOrder = 0;
constexpr int kNoteOffOrder = 1;
constexpr int kOtherOrder = 2;

}  // namespace

size_t CMidiFileWriter::AddTrack() {
  m_tracks.emplace_back();
  return m_tracks.size() - 1;
}

void CMidiFileWriter::Add(size_t track, uint32_t tick, int order, std::string data) {
  if (track >= m_tracks.size()) return;
  m_tracks[track].push_back(Event{tick, order, m_sequence++, std::move(data)});
}

void CMidiFileWriter::AddMessage(size_t track, uint32_t tick, uint8_t status, uint8_t data1, uint8_t data2) {
  std::string data;
  data += static_cast<char>(status);
  data += static_cast<char>(data1 & 0x7F);
  if ((status & 0xE0) != 0xC0) data += static_cast<char>(data2 & 0x7F);  // program and pressure take one byte
  Add(track, tick, (status & 0xF0) == 0x80 ? kNoteOffOrder : kOtherOrder, std::move(data));
}

void CMidiFileWriter::AddProgram(size_t track, uint32_t tick, uint8_t channel, uint8_t program) {
  AddMessage(track, tick, static_cast<uint8_t>(0xC0 | (channel & 0x0F)), program, 0);
}

void CMidiFileWriter::AddNote(size_t track, uint32_t tick, uint32_t length, uint8_t channel, uint8_t key,
                              uint8_t velocity) {
  AddMessage(track, tick, static_cast<uint8_t>(0x90 | (channel & 0x0F)), key, velocity);
  AddMessage(track, tick + length, static_cast<uint8_t>(0x80 | (channel & 0x0F)), key, 64);
}

void CMidiFileWriter::AddTempo(uint32_t tick, double beatsPerMinute) {
  uint32_t microseconds = static_cast<uint32_t>(std::lround(60000000.0 / beatsPerMinute));
  std::string data("\xFF\x51\x03", 3);
  data += static_cast<char>((microseconds >> 16) & 0xFF);
  data += static_cast<char>((microseconds >> 8) & 0xFF);
  data += static_cast<char>(microseconds & 0xFF);
  Add(0, tick, kMetaOrder, std::move(data));
}

void CMidiFileWriter::AddTimeSignature(uint32_t tick, uint8_t numerator, uint8_t denominatorPower) {
  std::string data("\xFF\x58\x04", 3);
  data += static_cast<char>(numerator);
  data += static_cast<char>(denominatorPower);
  data += static_cast<char>(24);  // clocks per metronome click
  data += static_cast<char>(8);   // 32nd notes per quarter
  Add(0, tick, kMetaOrder, std::move(data));
}

void CMidiFileWriter::AddText(size_t track, uint32_t tick, uint8_t type, const std::string& text) {
  std::string data;
  data += static_cast<char>(0xFF);
  data += static_cast<char>(type);
  PutVarLen(data, static_cast<uint32_t>(text.size()));
  data += text;
  Add(track, tick, kMetaOrder, std::move(data));
}

std::string CMidiFileWriter::Bytes() const {
  std::string out = "MThd";
  PutBe32(out, 6);
  PutBe16(out, 1);
  PutBe16(out, static_cast<uint16_t>(m_tracks.size()));
  PutBe16(out, m_division);
  for (std::vector<Event> events : m_tracks) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
      if (a.Tick != b.Tick) return a.Tick < b.Tick;
      if (a.Order != b.Order) return a.Order < b.Order;
      return a.Sequence < b.Sequence;
    });
    std::string body;
    uint32_t now = 0;
    for (const Event& event : events) {
      PutVarLen(body, event.Tick - now);
      body += event.Data;
      now = event.Tick;
    }
    PutVarLen(body, 0);
    body += std::string("\xFF\x2F\x00", 3);  // end of track
    out += "MTrk";
    PutBe32(out, static_cast<uint32_t>(body.size()));
    out += body;
  }
  return out;
}
