#pragma once
// The starter story that "fablewick-story new" writes: a commented gamefile.txt with three
// scenes that loop back to each other, placeholder pictures and a short tune.
#include <string>
#include <vector>

struct StarterFile {
  std::string Path;  // relative to the story folder
  std::string Bytes;
};

// Every file of the starter story titled title. False with a reason in error when one could not
// be made.
bool MakeStarterStory(const std::string& title, std::vector<StarterFile>& files, std::string& error);
