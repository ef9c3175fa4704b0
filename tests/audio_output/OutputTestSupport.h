#pragma once
// Helpers for the output tests: waiting on conditions, PCM formats, a wave engine on a null
// output with a probe, and fillers and listeners that record what happens.
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/WavePlayer.h"
#include "platform/NullWaveOut.h"
#include "platform/WaveOutSystem.h"

namespace output_test {

// Waits until the condition holds, at most the time-out; true when it holds.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

inline void Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

inline WAVEFORMATEX Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = channels;
  format.nSamplesPerSec = rate;
  format.wBitsPerSample = bits;
  format.nBlockAlign = static_cast<uint16_t>(channels * bits / 8);
  format.nAvgBytesPerSec = rate * format.nBlockAlign;
  return format;
}

// 8-bit mono at 32 kHz: one 8192-byte buffer lasts 256 ms, which leaves the worker plenty of
// time on a busy machine.
inline WAVEFORMATEX SlowFormat() { return Pcm(1, 32000, 8); }

// Bytes that differ from their neighbours, so that a misplaced piece shows.
inline std::string PatternBytes(size_t size, unsigned seed = 1) {
  std::string bytes(size, '\0');
  uint32_t state = seed * 2654435761u + 1;
  for (char& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

inline std::string Repeated(const std::string& bytes, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += bytes;
  return all;
}

// Serves a sound from memory and records the calls.
class MemoryFiller : public IWaveBufferFiller {
 public:
  explicit MemoryFiller(std::string bytes) : m_bytes(std::move(bytes)) {}
  void Rewind() override {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_position = 0;
    ++m_rewinds;
    m_afterRewind = true;
  }
  uint32_t Fill(CWavePlayer* engine, uint8_t* buffer, uint32_t capacity) override {
    if (!engine) return 0;
    bool firstAfterRewind;
    uint32_t count;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      ++m_fills;
      if (m_closed) m_filledWhileClosed = true;
      firstAfterRewind = m_afterRewind;
      m_afterRewind = false;
      count = static_cast<uint32_t>(std::min<size_t>(capacity, m_bytes.size() - m_position));
      std::memcpy(buffer, m_bytes.data() + m_position, count);
      m_position += count;
    }
    if (firstAfterRewind && onFirstFillAfterRewind) onFirstFillAfterRewind();
    if (onFill) onFill(m_fills);
    return count;
  }
  // Marks the sound closed: a later Fill is a fault of the engine.
  void CloseSound() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closed = true;
  }
  int Fills() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_fills;
  }
  int Rewinds() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_rewinds;
  }
  bool FilledWhileClosed() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_filledWhileClosed;
  }
  const std::string& Bytes() const { return m_bytes; }

  // Called outside the filler's lock, on the thread that fills.
  std::function<void()> onFirstFillAfterRewind;
  std::function<void(int fillNumber)> onFill;

 private:
  std::mutex m_mutex;
  std::string m_bytes;
  size_t m_position = 0;
  int m_fills = 0;
  int m_rewinds = 0;
  bool m_afterRewind = false;
  bool m_closed = false;
  bool m_filledWhileClosed = false;
};

class RecordingListener : public IWaveListener {
 public:
  void OnWaveEnd() override {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_threads.push_back(std::this_thread::get_id());
      if (probe) m_allSounded.push_back(probe->AllSoundedBy(std::chrono::steady_clock::now()));
    }
    if (onEnd) onEnd();
  }
  int Ends() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_threads.size());
  }
  std::vector<std::thread::id> Threads() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_threads;
  }
  std::vector<bool> AllSounded() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_allSounded;
  }
  std::shared_ptr<platform::NullWaveOutProbe> probe;
  // Called on the worker after the end was recorded.
  std::function<void()> onEnd;

 private:
  std::mutex m_mutex;
  std::vector<std::thread::id> m_threads;
  std::vector<bool> m_allSounded;
};

// A wave engine whose only device is a null output with a probe that keeps the bytes.
struct NullRig {
  NullRig() : probe(std::make_shared<platform::NullWaveOutProbe>(true)), devices(Backends(probe)),
              player(std::make_unique<CWavePlayer>(devices)) {
    listener.probe = probe;
  }
  static std::vector<std::unique_ptr<platform::WaveOutBackend>> Backends(
      std::shared_ptr<platform::NullWaveOutProbe> probe) {
    std::vector<std::unique_ptr<platform::WaveOutBackend>> backends;
    backends.push_back(std::make_unique<platform::NullWaveOut>(std::move(probe)));
    return backends;
  }
  bool OpenSlow() {
    const WAVEFORMATEX format = SlowFormat();
    return player->Init("") && player->Open(&format);
  }

  std::shared_ptr<platform::NullWaveOutProbe> probe;
  platform::WaveOutSystem devices;
  RecordingListener listener;
  std::unique_ptr<CWavePlayer> player;
};

}  // namespace output_test
