#pragma once
// Plays RIFF WAVE files through the wave output engine: finds the WAVE form, reads its "fmt "
// chunk as the wave format, locates its "data" chunk and serves the sample bytes of that chunk,
// unchanged, in buffer-sized pieces. The file stays open while the sound is loaded.
#include <cstdint>
#include <memory>
#include <string>

#include "audio/WaveBufferFiller.h"
#include "audio/WaveLoader.h"
#include "platform/MmioFile.h"
#include "platform/WaveFormat.h"

class CSoundWav : public IWaveBufferFiller, public IWaveLoader {
 public:
  // The loader's own error codes, besides the MMIOERR codes of the RIFF layer.
  static constexpr int kErrorInvalidFormat = 13;  // "Invalid wave format."
  static constexpr int kErrorOutOfMemory = 14;    // "Out of memory."

  CSoundWav() = default;
  ~CSoundWav() override;
  CSoundWav(const CSoundWav&) = delete;
  CSoundWav& operator=(const CSoundWav&) = delete;

  // IWaveBufferFiller: positions at the first sample byte; delivers the "data" chunk's bytes.
  void Rewind() override;
  uint32_t Fill(CWavePlayer* engine, uint8_t* buffer, uint32_t capacity) override;

  // IWaveLoader. GetFormat ignores the requested depth: the file fixes the format.
  bool IsLoaded() override { return m_loaded; }
  bool Load(const char* path) override;
  bool Close() override;
  const WAVEFORMATEX* GetFormat(int bitsPerSample) override;
  int GetErrorCode() override { return m_errorCode; }
  std::string GetErrorText() override { return m_errorText; }

  // The number of bytes of the "fmt " chunk that GetFormat's record holds as read (the record
  // is padded to 18 bytes when the chunk is shorter); 0 while not loaded.
  uint32_t GetFormatSize() const { return m_loaded ? m_formatSize : 0; }

 private:
  void RecordError(int code, const char* reason);
  void RecordMmioError(uint32_t code);
  bool ReadFormat(platform::MMCKINFO& formatChunk);
  bool FailLoad();

  int m_errorCode = 0;
  std::string m_errorText;
  std::string m_path;
  const char* m_operation = "";  // the step under way, for error texts
  bool m_loaded = false;
  platform::MmioFile m_file;
  uint32_t m_dataSize = 0;
  uint32_t m_dataOffset = 0;
  // The "fmt " chunk's bytes as read, padded with zeros to at least the 18-byte record.
  std::unique_ptr<WAVEFORMATEX[]> m_format;
  uint32_t m_formatSize = 0;
};

// Whether the file holds a RIFF chunk of form type "WAVE" (searched from its start). A file
// that cannot be opened is no WAV file.
bool IsWaveFile(const char* path);
