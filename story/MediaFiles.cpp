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

bool RecycleFile(const std::string& path, std::string& reason) {
  return platform::MoveToTrash(path, reason);
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

size_t CountMoved(const std::vector<RecycleOutcome>& outcomes) {
  return static_cast<size_t>(std::count_if(outcomes.begin(), outcomes.end(),
                                            [](const RecycleOutcome& outcome) { return outcome.moved; }));
}

std::string DescribeRecycling(const std::vector<RecycleOutcome>& outcomes) {
  const size_t moved = CountMoved(outcomes);
  if (moved == outcomes.size()) return "All unused resources have been moved to the Trash.";
  std::string text = std::to_string(moved) + " of " + std::to_string(outcomes.size()) +
                     " unused resources have been moved to the Trash; " +
                     std::to_string(outcomes.size() - moved) + " stayed where they were:";
  // A long list would not fit on the screen; the files that stayed are listed in the window.
  const size_t kShown = 10;
  size_t shown = 0;
  for (const RecycleOutcome& outcome : outcomes) {
    if (outcome.moved) continue;
    if (shown++ == kShown) {
      text += "\n...";
      break;
    }
    text += "\n" + outcome.name + ": " + outcome.reason;
  }
  return text;
}
