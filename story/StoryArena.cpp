#include "story/StoryArena.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// A small story takes a block of the first size; each further block is twice as large, up to
// the largest size.
constexpr size_t kFirstBlockSize = 64u << 10;
constexpr size_t kLargestBlockSize = 4u << 20;
// Blocks of a huge page or more are aligned to huge pages and advised to use them: a first
// touch of a 4 KB page costs microseconds, a few megabytes of records cost many of them.
constexpr size_t kHugePageSize = 2u << 20;

}  // namespace

StoryString CStoryArena::AddText(std::string_view text) {
  if (text.empty()) return StoryString();
  size_t length = std::min<size_t>(text.size(), std::numeric_limits<uint32_t>::max());
  char* entry = static_cast<char*>(Allocate(StoryString::kLengthBytes + length + 1, 1));
  for (size_t i = 0; i < StoryString::kLengthBytes; ++i) entry[i] = static_cast<char>(length >> (8 * i));
  char* stored = entry + StoryString::kLengthBytes;
  std::memcpy(stored, text.data(), length);
  stored[length] = '\0';
  return StoryString(stored);
}

void CStoryArena::Clear() {
  m_blocks.clear();
  m_next = nullptr;
  m_left = 0;
  m_nextBlockSize = 0;
}

void* CStoryArena::Allocate(size_t bytes, size_t alignment) {
  size_t padding = (alignment - reinterpret_cast<uintptr_t>(m_next) % alignment) % alignment;
  if (bytes + padding > m_left) {
    size_t size = std::max(m_nextBlockSize, kFirstBlockSize);
    m_nextBlockSize = std::min(size * 2, kLargestBlockSize);
    // Something larger than half a block gets a block of its own; the current one stays in use.
    if (bytes > size / 2) return NewBlock(bytes);
    m_next = NewBlock(size);
    m_left = size;
    padding = 0;
  }
  char* start = m_next + padding;
  m_next = start + bytes;
  m_left -= bytes + padding;
  return start;
}

char* CStoryArena::NewBlock(size_t bytes) {
  bool huge = bytes >= kHugePageSize;
  void* block = huge ? std::aligned_alloc(kHugePageSize, (bytes + kHugePageSize - 1) / kHugePageSize * kHugePageSize)
                     : std::malloc(bytes);
  if (!block) throw std::bad_alloc();
  if (huge) ::madvise(block, bytes, MADV_HUGEPAGE);  // only advice: without huge pages all works as before
  m_blocks.emplace_back(static_cast<char*>(block));
  return static_cast<char*>(block);
}
