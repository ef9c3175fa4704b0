#pragma once
// The events of a sequence's stream buffers read back in playing order, for the story tool's
// listing and for checks of the merged stream.
#include <cstdint>
#include <string>
#include <vector>

class CMidiSequence;

struct MidiStreamEvent {
  uint64_t tick = 0;    // absolute time: the sum of the deltas so far
  uint32_t delta = 0;   // ticks since the event before
  uint32_t type = 0;    // MEVT_SHORTMSG, MEVT_TEMPO, ...
  uint32_t data = 0;    // the 24-bit data of a short event, the parameter count of a long one
  std::vector<uint8_t> parameters;  // long events only, without padding
};

// Every record of every stream buffer, in order.
std::vector<MidiStreamEvent> ListMidiStreamEvents(CMidiSequence& sequence);

// "TICK DELTA TYPE DATA": decimal tick and delta; TYPE one of SHORTMSG TEMPO NOP LONGMSG COMMENT
// (another type as its number in hex); DATA in lowercase hex, six digits for short events, the
// parameter bytes for long ones.
std::string FormatMidiStreamEvent(const MidiStreamEvent& event);
