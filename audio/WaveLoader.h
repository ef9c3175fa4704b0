#pragma once
#include <string>

#include "platform/WaveFormat.h"

// Opens a sound file and describes the samples its filler face delivers.
class IWaveLoader {
 public:
  virtual ~IWaveLoader() = default;
  virtual bool IsLoaded() = 0;
  // Closes any open sound, then opens the file at path (a null path fails).
  virtual bool Load(const char* path) = 0;
  // Closes the open sound; false when none was open.
  virtual bool Close() = 0;
  // The 18-byte format of the samples Fill produces; valid until the next Load or Close.
  // bitsPerSample (8 or 16) is a request only a decoding loader honours.
  virtual const WAVEFORMATEX* GetFormat(int bitsPerSample) = 0;
  virtual int GetErrorCode() = 0;
  virtual std::string GetErrorText() = 0;
};
