// The Ogg Vorbis loader on arbitrary bytes: the probe, the load, the format, and decoding at
// both sample widths with a rewind between, as the engine repeats a sound.
#include <cstddef>
#include <cstdint>

#include "audio/SoundVorbis.h"
#include "audio/WavePlayer.h"
#include "fuzz/FuzzInputFile.h"

namespace {

CWavePlayer* OpenEngine(int bits) {
  auto* engine = new CWavePlayer;  // lives as long as the process, like the game's engine
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = 44100;
  format.wBitsPerSample = static_cast<uint16_t>(bits);
  format.nBlockAlign = static_cast<uint16_t>(2 * bits / 8);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  engine->Init("null");
  engine->Open(&format);
  return engine;
}

// Decodes at most limit bytes: a small input may describe a long sound.
void Decode(CSoundVorbis& sound, CWavePlayer* engine, size_t limit) {
  uint8_t buffer[CWavePlayer::kBufferBytes];
  size_t total = 0;
  while (total < limit) {
    uint32_t count = sound.Fill(engine, buffer, sizeof buffer);
    if (!count) break;
    total += count;
  }
}

}  // namespace

// libvorbisfile 1.3.7 itself loses memory inside ov_test_open when a later link of a chained
// stream has a broken setup header; the loader's own error path frees everything it owns. The
// library's leak is suppressed by its name so that the fuzzer reports only the program's own.
extern "C" const char* __lsan_default_suppressions() { return "leak:libvorbisfile\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CWavePlayer* wide = OpenEngine(16);
  static CWavePlayer* narrow = OpenEngine(8);
  const fuzz::InputFile input(data, size);
  const std::string& path = input.Path();
  IsVorbisFile(path.c_str());
  CSoundVorbis sound;
  if (!sound.Load(path.c_str())) return 0;
  sound.GetFormat(8);
  sound.GetFormat(16);
  Decode(sound, wide, 1 << 20);
  sound.Rewind();
  Decode(sound, narrow, 1 << 18);
  sound.Close();
  return 0;
}
