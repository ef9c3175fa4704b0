#include "game/StoryLibrary.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "story/GameFile.h"
#include "story/StoryText.h"
#include "story/SystemErrorReport.h"

bool SearchStories(std::vector<StoryEntry>& list, const std::string& path, IStoryReporter* reporter) {
  list.clear();
  std::string dir = path;
  if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '/';
  const std::string pattern = dir + "*.*";

  std::vector<platform::DirEntry> entries;
  int error = 0;
  bool opened = false;
  bool listedToEnd = platform::ListDirectory(pattern, entries, error, &opened);
  if (!opened) {
    ReportSystemError(reporter, "Finding", pattern, error);
    return false;
  }
  for (const platform::DirEntry& entry : entries) {
    if (!entry.isFolder || entry.name.empty() || entry.name[0] == '.') continue;
    std::string file = dir + entry.name + "/gamefile.txt";
    CGameFile story;
    story.SetReporter(reporter);
    std::string name;
    if (story.ReadStoryName(file, name)) list.push_back({name, file, entry.writeTime});
  }
  if (!listedToEnd) {
    ReportSystemError(reporter, "Searching in", pattern, error);
    return false;
  }
  return !list.empty();
}

std::vector<StoryEntry> SortStoriesForDisplay(const std::vector<StoryEntry>& list, bool byName) {
  std::vector<StoryEntry> sorted = list;
  if (byName) {
    std::stable_sort(sorted.begin(), sorted.end(), [](const StoryEntry& a, const StoryEntry& b) {
      return story_text::CompareNoCase(a.Name, b.Name) < 0;
    });
  } else {
    std::reverse(sorted.begin(), sorted.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const StoryEntry& a, const StoryEntry& b) { return a.Time > b.Time; });
  }
  return sorted;
}

const StoryEntry* FindStoryEntry(const std::vector<StoryEntry>& list, const std::string& name) {
  for (const StoryEntry& entry : list)
    if (story_text::EqualsNoCase(entry.Name, name)) return &entry;
  return nullptr;
}
