#pragma once

// Told by the wave output engine when the last repeat of a sound has finished sounding.
class IWaveListener {
 public:
  virtual ~IWaveListener() = default;
  // Called on the engine's worker thread.
  virtual void OnWaveEnd() = 0;
};
