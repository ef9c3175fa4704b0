#include "audio/MidiStreamEvent.h"

#include <cstdio>

#include "audio/MidiSequence.h"
#include "platform/MidiTypes.h"

namespace {

uint32_t GetLE32(const uint8_t* in) {
  return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
         static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

const char* TypeName(uint32_t type) {
  switch (type) {
    case MEVT_SHORTMSG: return "SHORTMSG";
    case MEVT_TEMPO: return "TEMPO";
    case MEVT_NOP: return "NOP";
    case MEVT_LONGMSG: return "LONGMSG";
    case MEVT_COMMENT: return "COMMENT";
    default: return nullptr;
  }
}

// Reads the records of one buffer; stops at a record that would reach past the bytes recorded.
void ListBuffer(const MIDIHDR& header, uint64_t& tick, std::vector<MidiStreamEvent>& events) {
  uint32_t used = header.dwBytesRecorded;
  uint32_t offset = 0;
  while (used - offset >= kMidiEventHeaderSize) {
    const uint8_t* record = header.lpData + offset;
    MidiStreamEvent event;
    event.delta = GetLE32(record);
    uint32_t word = GetLE32(record + 8);
    event.type = MidiEventType(word);
    event.data = MidiEventParameter(word);
    uint64_t size = kMidiEventHeaderSize;
    if (event.type & MEVT_F_LONG) {
      size = (kMidiEventHeaderSize + static_cast<uint64_t>(event.data) + 3) & ~uint64_t{3};
      if (size > used - offset) break;
      event.parameters.assign(record + kMidiEventHeaderSize,
                              record + kMidiEventHeaderSize + event.data);
    }
    tick += event.delta;
    event.tick = tick;
    events.push_back(std::move(event));
    offset += static_cast<uint32_t>(size);
  }
}

}  // namespace

std::vector<MidiStreamEvent> ListMidiStreamEvents(CMidiSequence& sequence) {
  std::vector<MidiStreamEvent> events;
  uint64_t tick = 0;
  for (uint32_t i = 0; i < sequence.GetBufferCount(); ++i) {
    const MIDIHDR* header = sequence.GetBuffer(i);
    if (header && header->lpData) ListBuffer(*header, tick, events);
  }
  return events;
}

std::string FormatMidiStreamEvent(const MidiStreamEvent& event) {
  char number[32];
  std::string line = std::to_string(event.tick) + " " + std::to_string(event.delta) + " ";
  if (const char* name = TypeName(event.type)) {
    line += name;
  } else {
    std::snprintf(number, sizeof number, "%02x", static_cast<unsigned>(event.type));
    line += number;
  }
  line += ' ';
  if (event.type & MEVT_F_LONG) {
    for (uint8_t byte : event.parameters) {
      std::snprintf(number, sizeof number, "%02x", static_cast<unsigned>(byte));
      line += number;
    }
  } else {
    std::snprintf(number, sizeof number, "%06x", static_cast<unsigned>(event.data));
    line += number;
  }
  return line;
}
