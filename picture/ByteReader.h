#pragma once
// A reader over a block of bytes that can never read past its end: every read reports whether
// the bytes were there, and a failed read leaves the position unchanged.
#include <cstddef>
#include <cstdint>

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  size_t Position() const { return m_position; }
  size_t Size() const { return m_size; }
  size_t Remaining() const { return m_size - m_position; }
  bool AtEnd() const { return m_position == m_size; }

  // Moves to an absolute position; false (and no move) when it lies beyond the end.
  bool Seek(size_t position) {
    if (position > m_size) return false;
    m_position = position;
    return true;
  }
  bool Skip(size_t count) {
    if (count > Remaining()) return false;
    m_position += count;
    return true;
  }

  bool ReadU8(uint8_t& value) {
    if (Remaining() < 1) return false;
    value = m_data[m_position++];
    return true;
  }
  bool ReadU16(uint16_t& value) {
    if (Remaining() < 2) return false;
    const uint8_t* p = m_data + m_position;
    value = static_cast<uint16_t>(p[0] | p[1] << 8);
    m_position += 2;
    return true;
  }
  bool ReadU32(uint32_t& value) {
    if (Remaining() < 4) return false;
    const uint8_t* p = m_data + m_position;
    value = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
            static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    m_position += 4;
    return true;
  }
  bool ReadI32(int32_t& value) {
    uint32_t raw = 0;
    if (!ReadU32(raw)) return false;
    value = static_cast<int32_t>(raw);
    return true;
  }
  // Points at the next count bytes without copying them and moves past them.
  bool ReadSpan(size_t count, const uint8_t*& span) {
    if (count > Remaining()) return false;
    span = m_data + m_position;
    m_position += count;
    return true;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_position = 0;
};
