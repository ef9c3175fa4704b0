#pragma once
// Builds stream buffers of MIDIEVENT records by hand for the MIDI output tests.
#include <cstdint>
#include <vector>

#include "platform/MidiTypes.h"

namespace output_test {

class EventBuffer {
 public:
  EventBuffer& Short(uint32_t delta, uint8_t status, uint8_t first, uint8_t second = 0) {
    return Record(delta, MakeMidiEvent(MEVT_SHORTMSG, status | (first << 8) | (second << 16)), {});
  }
  EventBuffer& Tempo(uint32_t delta, uint32_t microsPerQuarter) {
    return Record(delta, MakeMidiEvent(MEVT_TEMPO, microsPerQuarter), {});
  }
  EventBuffer& Nop(uint32_t delta) { return Record(delta, MakeMidiEvent(MEVT_NOP, 0), {}); }
  EventBuffer& Long(uint32_t delta, uint32_t type, const std::vector<uint8_t>& parameters) {
    return Record(delta, MakeMidiEvent(type, static_cast<uint32_t>(parameters.size())), parameters);
  }
  // Raw bytes, for damaged buffers.
  EventBuffer& Bytes(const std::vector<uint8_t>& bytes) {
    m_data.insert(m_data.end(), bytes.begin(), bytes.end());
    return *this;
  }

  // The header over the records; valid while the buffer lives and is not changed.
  MIDIHDR* Header() {
    m_header = MIDIHDR{};
    m_header.lpData = m_data.data();
    m_header.dwBufferLength = static_cast<uint32_t>(m_data.size());
    m_header.dwBytesRecorded = static_cast<uint32_t>(m_data.size());
    return &m_header;
  }
  MIDIHDR* ExistingHeader() { return &m_header; }

 private:
  void Word(uint32_t value) {
    for (int i = 0; i < 4; ++i) m_data.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  EventBuffer& Record(uint32_t delta, uint32_t event, const std::vector<uint8_t>& parameters) {
    Word(delta);
    Word(0);
    Word(event);
    m_data.insert(m_data.end(), parameters.begin(), parameters.end());
    while (m_data.size() % 4) m_data.push_back(0);
    return *this;
  }

  std::vector<uint8_t> m_data;
  MIDIHDR m_header;
};

}  // namespace output_test
