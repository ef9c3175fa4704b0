#pragma once
// Listing and removing a story's media files, and the rows in which the inventory of unused
// files is shown.
#include <string>
#include <vector>

// What became of one file that was to go to the trash.
struct RecycleOutcome {
  std::string name;    // as the inventory lists it
  std::string path;    // as formed from the story's folders
  bool moved = false;
  std::string reason;  // why it stayed where it was; empty when it moved
};

// Names of the folder entries that match a wildcard path (case ignored; folders too), sorted by
// byte order. A missing folder or no match gives an empty list.
std::vector<std::string> FindFiles(const std::string& pattern);

// Moves one file to the trash; false, with the reason, when it stays where it is.
bool RecycleFile(const std::string& path, std::string& reason);

// The inventory as shown: a marker row before each group and one after the last.
std::vector<std::string> UnusedResourceRows(const std::vector<std::string>& sounds,
                                            const std::vector<std::string>& pictures,
                                            const std::vector<std::string>& music);

size_t CountMoved(const std::vector<RecycleOutcome>& outcomes);

// What the user is told after the unused files were to go to the trash: that all of them went
// or, when some stayed, how many moved and which stayed and why.
std::string DescribeRecycling(const std::vector<RecycleOutcome>& outcomes);
