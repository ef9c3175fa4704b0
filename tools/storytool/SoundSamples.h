#pragma once
// A sound file decoded as the player's wave engine receives it: the loader chosen by content,
// the format it reports, and every sample byte its filler delivers from the start.
#include <cstdint>
#include <string>

#include "audio/SoundLoaderChoice.h"
#include "platform/WaveFormat.h"

struct SoundSamples {
  SoundFileFormat Format = SoundFileFormat::None;
  WAVEFORMATEX Wave{};        // the format record the engine is opened with
  std::string FormatBytes;    // that record as the file holds it (a WAV file's own chunk)
  std::string Data;           // the sample bytes
};

// False with a message in error when the file is no sound or cannot be loaded or decoded.
// Ogg Vorbis is decoded to 8-bit samples when eightBit is set, else to 16-bit ones.
bool DecodeSoundSamples(const std::string& path, bool eightBit, SoundSamples& samples,
                        std::string& error);
