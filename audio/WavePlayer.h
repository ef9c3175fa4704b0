#pragma once
// The wave output engine: plays one PCM sound at a time, pulling samples from a filler into two
// alternating buffers on a worker thread, with repeats and random pauses between them.
#include <cstdint>
#include <string>

#include "audio/WaveBufferFiller.h"
#include "audio/WaveListener.h"
#include "platform/WaveFormat.h"

class CWavePlayer {
 public:
  CWavePlayer();
  ~CWavePlayer();
  CWavePlayer(const CWavePlayer&) = delete;
  CWavePlayer& operator=(const CWavePlayer&) = delete;

  bool Init(const std::string& deviceName);
  bool SetDevice(const std::string& deviceName);
  bool Open(const WAVEFORMATEX* format);
  bool Close();
  bool Play(IWaveBufferFiller* filler, IWaveListener* listener, int loopCount, int delayMin,
            int delayMax);
  bool Stop();
  void Replay();
  void Shutdown();

  // Bytes per sample of the open format (8 bits: 1, 16 bits: 2); called by fillers.
  int GetBytesPerSample() const;

  uint32_t GetLastErrorCode() const { return m_lastErrorCode; }
  std::string GetLastErrorText() const { return m_lastErrorText; }

 private:
  WAVEFORMATEX m_format{};
  uint32_t m_lastErrorCode = 0;
  std::string m_lastErrorText;
};
