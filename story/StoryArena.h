#pragma once
// CStoryArena: where a story's scene records and values live. They are packed one after
// another into large blocks instead of each taking an allocation of its own: a big story holds
// hundreds of thousands of them, and allocations and first touches of fresh memory pages, not
// reading, were most of the time a big story took to open. Blocks grow with the story; large
// ones ask the system for huge pages. Clear frees every block at once: every record must be
// destroyed before, and every StoryString given is invalid after.
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <vector>

#include "story/StoryString.h"

class CStoryArena {
 public:
  CStoryArena() = default;
  CStoryArena(const CStoryArena&) = delete;
  CStoryArena& operator=(const CStoryArena&) = delete;

  // A copy of text: its length bytes, the text and a NUL byte. Texts longer than 4 GB keep
  // their first 4 GB.
  StoryString AddText(std::string_view text);
  // A new default-constructed record; whoever holds it destroys it before Clear.
  template <class Record>
  Record* New() {
    return new (Allocate(sizeof(Record), alignof(Record))) Record();
  }
  // count default-constructed records of a type that needs no destruction.
  template <class Record>
  Record* NewArray(size_t count) {
    static_assert(std::is_trivially_destructible<Record>::value, "the arena never destroys them");
    auto* records = static_cast<Record*>(Allocate(sizeof(Record) * count, alignof(Record)));
    for (size_t i = 0; i < count; ++i) new (records + i) Record();
    return records;
  }
  void Clear();

 private:
  struct FreeBlock {
    void operator()(char* block) const { std::free(block); }
  };
  void* Allocate(size_t bytes, size_t alignment);
  char* NewBlock(size_t bytes);

  std::vector<std::unique_ptr<char, FreeBlock>> m_blocks;
  char* m_next = nullptr;
  size_t m_left = 0;
  size_t m_nextBlockSize = 0;
};
