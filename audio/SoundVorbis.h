#pragma once
// Plays Ogg Vorbis files through the wave output engine: the file is read as a buffered stream
// through the decoder's stream callbacks and decoded on demand, 8-bit unsigned or 16-bit signed
// little-endian as the engine was opened.
#include <cstdint>
#include <string>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "audio/WaveBufferFiller.h"
#include "audio/WaveLoader.h"
#include "platform/WaveFormat.h"

class CSoundVorbis : public IWaveBufferFiller, public IWaveLoader {
 public:
  CSoundVorbis() = default;
  ~CSoundVorbis() override;
  CSoundVorbis(const CSoundVorbis&) = delete;
  CSoundVorbis& operator=(const CSoundVorbis&) = delete;

  // IWaveBufferFiller: back to the first sample; decodes at the engine's sample width.
  void Rewind() override;
  uint32_t Fill(CWavePlayer* engine, uint8_t* buffer, uint32_t capacity) override;

  // IWaveLoader. GetFormat describes PCM of the requested depth (8 or 16 bits) at the first
  // logical stream's channels and rate.
  bool IsLoaded() override { return m_loaded; }
  bool Load(const char* path) override;
  bool Close() override;
  const WAVEFORMATEX* GetFormat(int bitsPerSample) override;
  int GetErrorCode() override { return m_errorCode; }
  std::string GetErrorText() override { return m_errorText; }

 private:
  void RecordText(const std::string& reason);
  void RecordDecoderError(int result);
  vorbis_info* GetStreamInfo(int stream);
  // Whether the logical stream has the channels and rate of the first, which the engine plays.
  bool HasOpenedFormat(int stream);

  int m_errorCode = 0;
  std::string m_errorText;
  std::string m_path;
  const char* m_operation = "";  // the step under way, for error texts
  OggVorbis_File m_decoder{};
  bool m_loaded = false;
  vorbis_info* m_info = nullptr;  // the cached information of logical stream m_infoStream
  int m_infoStream = -1;
  WAVEFORMATEX m_format{};
  // Set when the decoder reports a link it cannot set up; it must not decode again (libvorbis
  // then divides by zero), so the sound stays silent until the next Load.
  bool m_undecodable = false;
  // Set when decoding reached a chained stream of another format; the sound has ended there
  // until the next Rewind.
  bool m_atForeignLink = false;
};

// Whether the decoder accepts the file's first bytes as an Ogg Vorbis stream. A file that
// cannot be opened is no Vorbis file.
bool IsVorbisFile(const char* path);
