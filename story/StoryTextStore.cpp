#include "story/StoryTextStore.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// Large enough that a big story needs few blocks; pages of a block that stays unused are never
// touched, so a small story costs little more than its texts.
constexpr size_t kBlockSize = 1u << 20;

}  // namespace

StoryString CStoryTextStore::Add(std::string_view text) {
  if (text.empty()) return StoryString();
  size_t length = std::min<size_t>(text.size(), std::numeric_limits<uint32_t>::max());
  char* entry = Reserve(StoryString::kLengthBytes + length + 1);
  for (size_t i = 0; i < StoryString::kLengthBytes; ++i) entry[i] = static_cast<char>(length >> (8 * i));
  char* stored = entry + StoryString::kLengthBytes;
  std::memcpy(stored, text.data(), length);
  stored[length] = '\0';
  return StoryString(stored);
}

void CStoryTextStore::Clear() {
  m_blocks.clear();
  m_next = nullptr;
  m_left = 0;
}

char* CStoryTextStore::Reserve(size_t bytes) {
  if (bytes > m_left) {
    // A text larger than a block gets a block of its own; the current block stays in use.
    size_t size = std::max(bytes, kBlockSize);
    m_blocks.emplace_back(new char[size]);
    if (size > kBlockSize) return m_blocks.back().get();
    m_next = m_blocks.back().get();
    m_left = size;
  }
  char* entry = m_next;
  m_next += bytes;
  m_left -= bytes;
  return entry;
}
