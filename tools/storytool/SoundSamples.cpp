#include "tools/storytool/SoundSamples.h"

#include <vector>

#include "audio/WavePlayer.h"

bool DecodeSoundSamples(const std::string& path, bool eightBit, SoundSamples& samples,
                        std::string& error) {
  samples = SoundSamples();
  samples.Format = DetectSoundFileFormat(path.c_str());
  if (samples.Format == SoundFileFormat::None) {
    error = "not a sound (WAV or Ogg Vorbis) file";
    return false;
  }
  CSoundWav wav;
  CSoundVorbis vorbis;
  SoundObject sound = ChooseSoundObject(samples.Format, wav, vorbis);
  if (!sound.loader->Load(path.c_str())) {
    error = sound.loader->GetErrorText();
    if (error.empty()) error = "cannot load the sound";
    return false;
  }
  const WAVEFORMATEX* format = sound.loader->GetFormat(eightBit ? 8 : 16);
  samples.Wave = *format;
  samples.FormatBytes.assign(reinterpret_cast<const char*>(format),
                             samples.Format == SoundFileFormat::Wave ? wav.GetFormatSize()
                                                                     : sizeof(WAVEFORMATEX));
  // The sound plays into nothing: the engine is opened on the null device with the loader's
  // format, rewound as Play rewinds, and filled until the filler runs dry. WAV bytes are handed
  // over as they stand; decoding needs the engine's sample width.
  CWavePlayer engine;
  bool opened = engine.Init("null") && engine.Open(format);
  if (!opened && samples.Format == SoundFileFormat::Vorbis) {
    error = "cannot open the null wave device: " + engine.GetLastErrorText();
    return false;
  }
  std::vector<uint8_t> buffer(CWavePlayer::kBufferBytes);
  sound.filler->Rewind();
  while (uint32_t count = sound.filler->Fill(&engine, buffer.data(), CWavePlayer::kBufferBytes))
    samples.Data.append(reinterpret_cast<const char*>(buffer.data()), count);
  return true;
}
