#include "res/CompressedText.h"

#include <algorithm>
#include <array>

#include "res/Resources.h"

namespace res {
namespace {

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}

// The ring of recent output and the text decoded so far.
class RingOutput {
 public:
  explicit RingOutput(size_t limit, size_t inputSize) : m_limit(limit) {
    // Each two bytes of input give at most 18 of output: room for all of it at once.
    m_text.reserve(std::min<uint64_t>(limit, uint64_t{inputSize} * 9 + kMaxReference));
    m_ring.fill(0);
    for (size_t i = 0; i < kRingStart; ++i) m_ring[i] = ' ';
  }

  void Put(uint8_t byte) {
    if (m_text.size() < m_limit) m_text.push_back(static_cast<char>(byte));
    m_ring[m_write] = byte;
    m_write = (m_write + 1) % kRingSize;
  }
  void CopyFromRing(size_t position, size_t length) {
    for (size_t k = 0; k < length; ++k) Put(m_ring[(position + k) % kRingSize]);
  }
  bool Full() const { return m_text.size() >= m_limit; }
  std::string Take() { return std::move(m_text); }

 private:
  std::array<uint8_t, kRingSize> m_ring;
  size_t m_write = kRingStart;
  size_t m_limit;
  std::string m_text;
};

}  // namespace

std::string DecodeTextStream(const uint8_t* stream, size_t size, size_t limit) {
  RingOutput output(limit, size);
  size_t in = 0;
  while (in < size && !output.Full()) {
    const uint8_t flags = stream[in++];
    for (int bit = 0; bit < 8; ++bit) {
      if (flags & (1u << bit)) {
        if (in >= size) return output.Take();
        output.Put(stream[in++]);
      } else {
        if (in + 2 > size) return output.Take();
        const uint8_t a = stream[in], b = stream[in + 1];
        in += 2;
        output.CopyFromRing(a + (b >> 4) * 256u, (b & 0x0F) + kMinReference);
      }
    }
  }
  return output.Take();
}

std::string UnpackTextResource(const uint8_t* data, size_t size) {
  const std::string raw(reinterpret_cast<const char*>(data), size);
  if (size < kTextHeaderSize) return raw;
  const uint32_t stored = ReadLittleEndian32(data);
  const uint32_t textSize = ReadLittleEndian32(data + 4);
  if (stored < kTextHeaderSize || size != uint64_t{stored} + stored % 2) return raw;
  return DecodeTextStream(data + kTextHeaderSize, stored - kTextHeaderSize, textSize);
}

bool LoadTextResource(unsigned id, std::string& text) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!FindResource(ResourceType::RawData, id, data, size)) return false;
  text = UnpackTextResource(data, size);
  return true;
}

}  // namespace res
