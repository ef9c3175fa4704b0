#include "tools/textpack/TextPacker.h"

#include <algorithm>
#include <array>

#include "res/CompressedText.h"

namespace {

using res::kMaxReference;
using res::kMinReference;
using res::kRingSize;
using res::kRingStart;

// The decoder's ring as the encoder follows it, with the positions whose content the decoder
// is sure of: the spaces it starts with and everything written since.
class Ring {
 public:
  Ring() {
    m_bytes.fill(0);
    m_known.fill(false);
    for (size_t i = 0; i < kRingStart; ++i) {
      m_bytes[i] = ' ';
      m_known[i] = true;
    }
  }

  // How many bytes of text from pos on a back-reference to position would produce. The copy
  // writes as it reads, so a reference that runs into the bytes being written repeats them.
  size_t MatchLength(size_t position, const std::string& text, size_t pos, size_t longest) const {
    size_t length = 0;
    for (; length < longest; ++length) {
      const size_t at = (position + length) % kRingSize;
      const size_t writtenAgo = (at + kRingSize - m_write) % kRingSize;
      uint8_t byte;
      if (writtenAgo < length)
        byte = static_cast<uint8_t>(text[pos + writtenAgo]);
      else if (m_known[at])
        byte = m_bytes[at];
      else
        break;
      if (byte != static_cast<uint8_t>(text[pos + length])) break;
    }
    return length;
  }

  void Put(uint8_t byte) {
    m_bytes[m_write] = byte;
    m_known[m_write] = true;
    m_write = (m_write + 1) % kRingSize;
  }

 private:
  std::array<uint8_t, kRingSize> m_bytes;
  std::array<bool, kRingSize> m_known;
  size_t m_write = kRingStart;
};

// Collects items in groups of eight behind their flag byte.
class StreamWriter {
 public:
  void Literal(uint8_t byte) {
    StartItem(true);
    m_stream.push_back(byte);
  }
  void Reference(size_t position, size_t length) {
    StartItem(false);
    m_stream.push_back(static_cast<uint8_t>(position & 0xFF));
    m_stream.push_back(static_cast<uint8_t>(((position >> 8) << 4) | (length - kMinReference)));
  }
  std::vector<uint8_t> Take() { return std::move(m_stream); }

 private:
  void StartItem(bool literal) {
    if (m_bit == 8) {
      m_flagAt = m_stream.size();
      m_stream.push_back(0);
      m_bit = 0;
    }
    if (literal) m_stream[m_flagAt] |= static_cast<uint8_t>(1u << m_bit);
    ++m_bit;
  }

  std::vector<uint8_t> m_stream;
  size_t m_flagAt = 0;
  int m_bit = 8;
};

void PutLittleEndian32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> EncodeTextStream(const std::string& text) {
  Ring ring;
  StreamWriter writer;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t longest = std::min(kMaxReference, text.size() - pos);
    size_t bestLength = 0, bestPosition = 0;
    for (size_t position = 0; position < kRingSize && bestLength < longest; ++position) {
      const size_t length = ring.MatchLength(position, text, pos, longest);
      if (length > bestLength) {
        bestLength = length;
        bestPosition = position;
      }
    }
    if (bestLength < kMinReference) {
      bestLength = 1;
      writer.Literal(static_cast<uint8_t>(text[pos]));
    } else {
      writer.Reference(bestPosition, bestLength);
    }
    for (size_t k = 0; k < bestLength; ++k) ring.Put(static_cast<uint8_t>(text[pos + k]));
    pos += bestLength;
  }
  return writer.Take();
}

std::vector<uint8_t> PackTextResource(const std::string& text) {
  const std::vector<uint8_t> stream = EncodeTextStream(text);
  const uint32_t stored = static_cast<uint32_t>(res::kTextHeaderSize + stream.size());
  std::vector<uint8_t> resource;
  PutLittleEndian32(resource, stored);
  PutLittleEndian32(resource, static_cast<uint32_t>(text.size()));
  resource.insert(resource.end(), stream.begin(), stream.end());
  if (stored % 2) resource.push_back(0);
  return resource;
}
