// The RIFF layer and the WAV loader on arbitrary bytes: the probe, the load, and the whole
// "data" chunk served twice, as an engine repeating the sound would take it.
#include <cstddef>
#include <cstdint>

#include "audio/SoundWav.h"
#include "audio/WavePlayer.h"
#include "fuzz/FuzzInputFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CWavePlayer engine;  // the filler only needs one to be there
  const fuzz::InputFile input(data, size);
  const std::string& path = input.Path();
  IsWaveFile(path.c_str());
  CSoundWav sound;
  if (!sound.Load(path.c_str())) return 0;
  sound.GetFormat(16);
  uint8_t buffer[CWavePlayer::kBufferBytes];
  for (int repeat = 0; repeat < 2; ++repeat) {
    sound.Rewind();
    while (sound.Fill(&engine, buffer, sizeof buffer)) {
    }
  }
  sound.Close();
  return 0;
}
