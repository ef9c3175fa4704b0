#include "audio/SoundLoaderChoice.h"

SoundFileFormat DetectSoundFileFormat(const char* path) {
  if (IsWaveFile(path)) return SoundFileFormat::Wave;
  if (IsVorbisFile(path)) return SoundFileFormat::Vorbis;
  return SoundFileFormat::None;
}

SoundObject ChooseSoundObject(SoundFileFormat format, CSoundWav& wav, CSoundVorbis& vorbis) {
  switch (format) {
    case SoundFileFormat::Wave: return {&wav, &wav};
    case SoundFileFormat::Vorbis: return {&vorbis, &vorbis};
    default: return {};
  }
}
