#pragma once
// The sounds of the demo stories, each synthesised from noise, filters and tones.
#include <string>
#include <vector>

#include "tools/sounds/Synth.h"

enum class SoundFormat { Wav8, Wav16, Ogg };

struct StorySound {
  std::string Path;  // relative to the stories folder
  SoundFormat Format;
  int Rate;
  synth::Samples Samples;  // mono
};

std::vector<StorySound> StorySounds();
