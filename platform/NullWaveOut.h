#pragma once
// The null wave output: always present, plays nothing, but consumes the samples in real time by
// the clock, so that buffers come back and positions move as on a real device. A probe, when
// given, records what was played and when, and can hold the clock.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/WaveOut.h"

namespace platform {

class NullWaveOutProbe {
 public:
  using Clock = std::chrono::steady_clock;
  // A run of frames taken in one piece, and when its first frame sounds.
  struct Segment {
    Clock::time_point start;
    uint32_t frames = 0;
    uint32_t rate = 0;
    Clock::time_point End() const;
  };

  explicit NullWaveOutProbe(bool keepBytes = false) : m_keepBytes(keepBytes) {}

  // While frozen the outputs neither take nor sound anything: their buffers stay queued.
  void Freeze(bool frozen) { m_frozen = frozen; }
  bool IsFrozen() const { return m_frozen; }
  // The fault switch: once this many frames have been taken in all, every output that looks
  // fails for good, as when a sound server goes away. Outputs opened after the switch is moved
  // beyond the frames taken work again.
  void FailAfterFrames(uint64_t frames);
  bool FaultDue();

  std::vector<Segment> Segments();
  // Every byte taken since the probe was made or cleared, in order (only with keepBytes).
  std::string Bytes();
  // Frames taken since the probe was made or cleared.
  uint64_t FramesTaken();
  // Whether everything taken so far has sounded by the given time.
  bool AllSoundedBy(Clock::time_point time);
  void Clear();

  void Record(Clock::time_point start, const uint8_t* data, uint32_t frames, uint32_t rate,
              uint32_t blockAlign);

 private:
  const bool m_keepBytes;
  std::atomic<bool> m_frozen{false};
  std::mutex m_mutex;
  std::vector<Segment> m_segments;
  std::string m_bytes;
  uint64_t m_frames = 0;
  uint64_t m_failAfterFrames = UINT64_MAX;
};

class NullWaveOut : public WaveOutBackend {
 public:
  static constexpr const char* kDeviceName = "null";

  explicit NullWaveOut(std::shared_ptr<NullWaveOutProbe> probe = nullptr);
  std::vector<WaveDeviceName> ListDevices() override;
  std::string PreferredDevice() override;
  std::unique_ptr<WaveOutSink> CreateSink(const std::string& address) override;

 private:
  std::shared_ptr<NullWaveOutProbe> m_probe;
};

}  // namespace platform
