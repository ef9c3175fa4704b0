#pragma once
#include <cstdint>

class CWavePlayer;

// Delivers the sample bytes of one sound to the wave output engine.
class IWaveBufferFiller {
 public:
  virtual ~IWaveBufferFiller() = default;
  // Positions the sound at its first sample.
  virtual void Rewind() = 0;
  // Writes up to capacity bytes of the next samples, in the layout of the format the engine was
  // opened with, and returns their count; 0 means no data is left (or none can be delivered).
  // A null engine yields 0.
  virtual uint32_t Fill(CWavePlayer* engine, uint8_t* buffer, uint32_t capacity) = 0;
};
