#pragma once
// CStoryTextStore: where a story's scene values live. Texts are packed one after another into
// large blocks, each with its length before it and a NUL byte after it, so that a value costs
// its own bytes plus five instead of a string object and an allocation of its own. The store
// only grows until Clear, which frees every block and invalidates every StoryString it gave.
#include <memory>
#include <string_view>
#include <vector>

#include "story/StoryString.h"

class CStoryTextStore {
 public:
  // A copy of text kept until Clear. Texts longer than 4 GB keep their first 4 GB.
  StoryString Add(std::string_view text);
  void Clear();

 private:
  char* Reserve(size_t bytes);

  std::vector<std::unique_ptr<char[]>> m_blocks;
  char* m_next = nullptr;
  size_t m_left = 0;
};
