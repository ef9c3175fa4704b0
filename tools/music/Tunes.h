#pragma once
// The music of the demo stories.
#include <string>
#include <vector>

#include "tools/music/TuneWriter.h"

struct StoryTune {
  std::string Path;  // relative to the stories folder
  Tune Music;
};

std::vector<StoryTune> StoryTunes();
