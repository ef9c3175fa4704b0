#pragma once
#include <cstdint>
#include <string>

// One story found on disk.
struct StoryEntry {
  std::string Name;   // the NAME of its title section
  std::string Path;   // full path of its gamefile.txt
  uint64_t Time = 0;  // last write time of its folder (100-nanosecond units since 1601)
};
