#pragma once
// The MIDI stream formats shared by the MIDI file reader and the MIDI stream player.
//
// A stream buffer holds event records, each laid out as MIDIEVENT (all fields little-endian):
//   bytes 0-3   delta time in ticks since the previous event
//   bytes 4-7   stream id, always 0
//   bytes 8-11  event: type in bits 24-31, data (short events) or parameter count (long events)
//               in bits 0-23
//   bytes 12-   parameters of long events, padded with zeros to a multiple of 4
//
// A system-exclusive event of a MIDI file is kept as a long record whose parameters are its
// status (0xF0, or 0xF7 for an escape packet), its length as one byte (the low 8 bits) and its
// data bytes. The stream sends what the file means: an 0xF0 message as 0xF0 and the data (which
// ends with 0xF7 unless escape packets continue it), an escape packet as its data alone.
#include <cstdint>

constexpr uint32_t MEVT_SHORTMSG = 0x00;
constexpr uint32_t MEVT_TEMPO = 0x01;
constexpr uint32_t MEVT_NOP = 0x02;
constexpr uint32_t MEVT_LONGMSG = 0x80;
constexpr uint32_t MEVT_COMMENT = 0x82;
constexpr uint32_t MEVT_F_LONG = 0x80;

constexpr uint32_t MidiEventType(uint32_t event) { return event >> 24; }
constexpr uint32_t MidiEventParameter(uint32_t event) { return event & 0x00FFFFFF; }
constexpr uint32_t MakeMidiEvent(uint32_t type, uint32_t parameter) {
  return (type << 24) | (parameter & 0x00FFFFFF);
}

constexpr uint32_t kMidiEventHeaderSize = 12;  // delta, stream id, event

// One stream buffer as queued on a MIDI stream.
struct MIDIHDR {
  uint8_t* lpData = nullptr;       // the event records
  uint32_t dwBufferLength = 0;     // capacity of lpData in bytes
  uint32_t dwBytesRecorded = 0;    // bytes of lpData holding records
  uintptr_t dwUser = 0;
  uint32_t dwFlags = 0;
  MIDIHDR* lpNext = nullptr;
  uintptr_t reserved = 0;
  uint32_t dwOffset = 0;
};

// Flags of MIDIHDR::dwFlags.
constexpr uint32_t MHDR_DONE = 0x01;
constexpr uint32_t MHDR_PREPARED = 0x02;
constexpr uint32_t MHDR_INQUEUE = 0x04;
