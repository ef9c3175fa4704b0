#pragma once
// Builds standard MIDI file bytes in memory for the reader's tests.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace smf {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int value : values) out += static_cast<char>(value);
  return out;
}

inline std::string BigEndian32(uint32_t value) {
  return Bytes({static_cast<int>(value >> 24), static_cast<int>((value >> 16) & 0xFF),
                static_cast<int>((value >> 8) & 0xFF), static_cast<int>(value & 0xFF)});
}

// The shortest variable-length quantity for value.
inline std::string Vlq(uint32_t value) {
  std::string out(1, static_cast<char>(value & 0x7F));
  while (value >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
  return out;
}

inline std::string Chunk(const std::string& type, const std::string& body) {
  return type + BigEndian32(static_cast<uint32_t>(body.size())) + body;
}

inline std::string Header(int format, int tracks, int division) {
  return Chunk("MThd", Bytes({format >> 8, format & 0xFF, tracks >> 8, tracks & 0xFF,
                              division >> 8, division & 0xFF}));
}

inline std::string NoteOn(uint32_t delta, int key, int velocity = 100, int channel = 0) {
  return Vlq(delta) + Bytes({0x90 | channel, key, velocity});
}

inline std::string Meta(uint32_t delta, int type, const std::string& data) {
  return Vlq(delta) + Bytes({0xFF, type}) + Vlq(static_cast<uint32_t>(data.size())) + data;
}

inline std::string EndOfTrack(uint32_t delta = 0) { return Meta(delta, 0x2F, ""); }

inline std::string SysEx(uint32_t delta, int status, const std::string& data) {
  return Vlq(delta) + Bytes({status}) + Vlq(static_cast<uint32_t>(data.size())) + data;
}

inline std::string Track(const std::string& events) { return Chunk("MTrk", events); }

// The 24-bit data of a channel message as the stream records carry it.
inline uint32_t Short(int status, int first, int second = 0) {
  return static_cast<uint32_t>(status) | static_cast<uint32_t>(first) << 8 |
         static_cast<uint32_t>(second) << 16;
}

}  // namespace smf
