#include "story/MediaFiles.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Trash.h"

std::vector<std::string> FindFiles(const std::string& pattern) {
  std::vector<platform::DirEntry> entries;
  int error = 0;
  platform::ListDirectory(pattern, entries, error);  // a folder that cannot be read lists nothing
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const platform::DirEntry& entry : entries) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

bool RecycleFile(const std::string& path) {
  std::string error;
  return platform::MoveToTrash(path, error);
}

std::vector<std::string> UnusedResourceRows(const std::vector<std::string>& sounds,
                                            const std::vector<std::string>& pictures,
                                            const std::vector<std::string>& music) {
  std::vector<std::string> rows;
  rows.push_back("------- Sounds -------");
  rows.insert(rows.end(), sounds.begin(), sounds.end());
  rows.push_back("------- Images -------");
  rows.insert(rows.end(), pictures.begin(), pictures.end());
  rows.push_back("------- Music -------");
  rows.insert(rows.end(), music.begin(), music.end());
  rows.push_back("------- END -------");
  return rows;
}
