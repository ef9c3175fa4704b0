#include "platform/NullWaveOut.h"

#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

Clock::duration FramesToDuration(uint64_t frames, uint32_t rate) {
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::nanoseconds(frames * 1000000000ull / rate));
}

// Plays by the clock: frames taken sound one after another at the format's rate; a short
// buffer of its own lets the feeder write ahead as a sound card's would.
class NullSink : public WaveOutSink {
 public:
  explicit NullSink(std::shared_ptr<NullWaveOutProbe> probe) : m_probe(std::move(probe)) {}

  MMRESULT Open(const WAVEFORMATEX& format, std::string&) override {
    m_rate = format.nSamplesPerSec;
    m_blockAlign = format.nBlockAlign;
    m_capacity = std::max<long>(64, m_rate / 20);
    m_anchorTime = Clock::now();
    return MMSYSERR_NOERROR;
  }
  void Close() override {}

  long Writable() override {
    if (HasFailed()) return -EIO;
    if (IsFrozen()) return 0;
    Update();
    return m_capacity - Pending();
  }

  long Write(const uint8_t* data, long frames) override {
    if (HasFailed()) return -EIO;
    const long taken = std::min(frames, Writable());
    if (taken <= 0) return 0;
    if (m_probe) {
      const Clock::time_point start =
          Clock::now() + FramesToDuration(static_cast<uint64_t>(Pending()), m_rate);
      m_probe->Record(start, data, static_cast<uint32_t>(taken), m_rate, m_blockAlign);
    }
    m_written += static_cast<uint64_t>(taken);
    return taken;
  }

  long Pending() override {
    Update();
    return static_cast<long>(m_written - m_played);
  }

  void Pause(bool paused) override {
    Update();
    m_paused = paused;
  }

  void Drop() override {
    m_written = m_played = 0;
    Anchor(Clock::now());
  }

  void PollDescriptors(std::vector<pollfd>&) override {}

  int WaitTimeoutMs(long wantFrames) override {
    if (m_paused || IsFrozen()) return 10;
    const long want = std::min(wantFrames, m_capacity / 2);
    const long missing = want - Writable();
    if (missing <= 0) return 0;
    const long ms = (missing * 1000 + m_rate - 1) / m_rate;
    return static_cast<int>(std::clamp(ms, 1L, 200L));
  }

 private:
  bool IsFrozen() const { return m_probe && m_probe->IsFrozen(); }
  bool HasFailed() {
    if (!m_failed && m_probe && m_probe->FaultDue()) m_failed = true;
    return m_failed;
  }

  void Anchor(Clock::time_point now) {
    m_anchorTime = now;
    m_anchorPlayed = m_played;
  }

  // Advances the frames played to now; the clock only runs while frames are pending.
  void Update() {
    const Clock::time_point now = Clock::now();
    if (m_paused || IsFrozen()) {
      Anchor(now);
      return;
    }
    const uint64_t elapsedNs = static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now - m_anchorTime).count());
    const uint64_t played = m_anchorPlayed + elapsedNs * m_rate / 1000000000ull;
    if (played >= m_written) {
      m_played = m_written;
      Anchor(now);
      return;
    }
    m_played = played;
    // Move the anchor along now and then so that the products above stay small.
    if (elapsedNs > 10000000000ull) {
      const uint64_t frames = played - m_anchorPlayed;
      m_anchorTime += FramesToDuration(frames, m_rate);
      m_anchorPlayed = played;
    }
  }

  std::shared_ptr<NullWaveOutProbe> m_probe;
  uint32_t m_rate = 1;
  uint32_t m_blockAlign = 1;
  long m_capacity = 64;
  uint64_t m_written = 0;
  uint64_t m_played = 0;
  uint64_t m_anchorPlayed = 0;
  Clock::time_point m_anchorTime;
  bool m_paused = false;
  bool m_failed = false;
};

}  // namespace

Clock::time_point NullWaveOutProbe::Segment::End() const {
  return start + FramesToDuration(frames, rate);
}

std::vector<NullWaveOutProbe::Segment> NullWaveOutProbe::Segments() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_segments;
}

std::string NullWaveOutProbe::Bytes() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_bytes;
}

uint64_t NullWaveOutProbe::FramesTaken() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_frames;
}

bool NullWaveOutProbe::AllSoundedBy(Clock::time_point time) {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_segments.empty() || m_segments.back().End() <= time;
}

void NullWaveOutProbe::FailAfterFrames(uint64_t frames) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_failAfterFrames = frames;
}

bool NullWaveOutProbe::FaultDue() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_frames >= m_failAfterFrames;
}

void NullWaveOutProbe::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_segments.clear();
  m_bytes.clear();
  m_frames = 0;
}

void NullWaveOutProbe::Record(Clock::time_point start, const uint8_t* data, uint32_t frames,
                              uint32_t rate, uint32_t blockAlign) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_segments.push_back(Segment{start, frames, rate});
  m_frames += frames;
  if (m_keepBytes) m_bytes.append(reinterpret_cast<const char*>(data), size_t(frames) * blockAlign);
}

NullWaveOut::NullWaveOut(std::shared_ptr<NullWaveOutProbe> probe) : m_probe(std::move(probe)) {}

std::vector<WaveDeviceName> NullWaveOut::ListDevices() {
  return {WaveDeviceName{kDeviceName, kDeviceName}};
}

std::string NullWaveOut::PreferredDevice() { return kDeviceName; }

std::unique_ptr<WaveOutSink> NullWaveOut::CreateSink(const std::string&) {
  return std::make_unique<NullSink>(m_probe);
}

}  // namespace platform
