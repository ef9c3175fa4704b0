#pragma once
// The files an installation puts into its prefix, relative to it: what both the install test
// and the package test look for.
#include <string>
#include <vector>

// The programs, every demo story file, the icons, the desktop entry, the metadata, the manual
// pages, the shell completion and the package documents.
std::vector<std::string> InstalledFiles();

// The desktop entry and the software centre's metadata, named by the player's id.
std::string DesktopEntryPath();
std::string MetadataPath();
