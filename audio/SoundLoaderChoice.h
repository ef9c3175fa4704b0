#pragma once
// How the player picks the loader for a sound file: by its content, never by its name. A RIFF
// WAVE file goes to CSoundWav, else an Ogg Vorbis stream to CSoundVorbis, else nothing plays.
#include "audio/SoundVorbis.h"
#include "audio/SoundWav.h"

enum class SoundFileFormat { None, Wave, Vorbis };

// The probes in their order: IsWaveFile first, then IsVorbisFile.
SoundFileFormat DetectSoundFileFormat(const char* path);

// The sound object that serves a format, in both of its roles; both null for None.
struct SoundObject {
  IWaveLoader* loader = nullptr;
  IWaveBufferFiller* filler = nullptr;
};
SoundObject ChooseSoundObject(SoundFileFormat format, CSoundWav& wav, CSoundVorbis& vorbis);
