#pragma once
// Listing and removing a story's media files, and the rows in which the inventory of unused
// files is shown.
#include <string>
#include <vector>

// Names of the folder entries that match a wildcard path (case ignored; folders too), sorted by
// byte order. A missing folder or no match gives an empty list.
std::vector<std::string> FindFiles(const std::string& pattern);

// Moves one file to the trash; false when it stays where it is.
bool RecycleFile(const std::string& path);

// The inventory as shown: a marker row before each group and one after the last.
std::vector<std::string> UnusedResourceRows(const std::vector<std::string>& sounds,
                                            const std::vector<std::string>& pictures,
                                            const std::vector<std::string>& music);
