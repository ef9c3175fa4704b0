#pragma once
// Finding the stories on disk and ordering them for the story selection list.
#include <string>
#include <vector>

#include "game/StoryEntry.h"

class IStoryReporter;

// Fills list with the stories directly inside path, in the order the file system lists their
// folders (folders whose names begin with "." are skipped). True when the folder was listed to
// its end and at least one story was found. Listing failures and faulty title sections are
// reported through reporter.
bool SearchStories(std::vector<StoryEntry>& list, const std::string& path, IStoryReporter* reporter);

// A copy of list in display order: by name ignoring case (equal names in search order), or
// newest first (equal times in reverse search order).
std::vector<StoryEntry> SortStoriesForDisplay(const std::vector<StoryEntry>& list, bool byName);

// The first entry whose name equals name, ignoring case; none when there is none.
const StoryEntry* FindStoryEntry(const std::vector<StoryEntry>& list, const std::string& name);
