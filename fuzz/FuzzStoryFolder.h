#pragma once
// The story targets need a story folder, not a lone file: each input becomes the gamefile.txt of
// a scratch folder of this process, made on first use and removed when the process ends.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fuzz {

inline std::string& StoryFolderPath() {
  static std::string folder;
  return folder;
}

inline void RemoveStoryFolder() {
  std::error_code ignored;
  if (!StoryFolderPath().empty()) std::filesystem::remove_all(StoryFolderPath(), ignored);
}

inline const std::string& StoryFolder() {
  std::string& folder = StoryFolderPath();
  if (folder.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "fablewick-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data())) folder = pattern;
    std::atexit(RemoveStoryFolder);
  }
  return folder;
}

// Writes the input as the folder's gamefile.txt; its path, or empty when it cannot be written.
inline std::string WriteStoryFile(const uint8_t* data, size_t size) {
  std::string path = StoryFolder() + "/gamefile.txt";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return std::string();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return path;
}

}  // namespace fuzz
