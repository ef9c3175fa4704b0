#pragma once
// A PulseAudio server of the test's own, with one null sink ("out"), in a temporary runtime
// folder: the process's XDG_RUNTIME_DIR and HOME point there while it runs, so that ALSA's
// "default" device and FluidSynth's PulseAudio driver play into it. The sink's monitor is
// recorded with parec, each block stamped with the time it arrived.
#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TestFiles.h"

namespace sound_server {

using Clock = std::chrono::steady_clock;

class PrivatePulseAudio {
 public:
  static constexpr int kRate = 44100;  // the null sink's, recorded as 16-bit stereo

  PrivatePulseAudio() = default;
  ~PrivatePulseAudio();
  PrivatePulseAudio(const PrivatePulseAudio&) = delete;
  PrivatePulseAudio& operator=(const PrivatePulseAudio&) = delete;

  // Starts the server and the recording; false, with the reason, when either cannot start.
  bool Start(std::string& whyNot);
  // Ends the server at once, as a crash would.
  void Kill();

  // When the first sample louder than threshold (of 32767) reached the recording after since:
  // the arrival of the block that holds it (the sink renders a block at once, so this is when
  // the sink played it, plus the few milliseconds the recording takes); false when none has.
  bool FirstLoudSample(Clock::time_point since, Clock::time_point& when, int threshold = 300);
  // The times of the first and the last loud sample after since, each reckoned back from the
  // arrival of its block by the samples that follow it there.
  bool LoudSpan(Clock::time_point since, Clock::time_point& first, Clock::time_point& last,
                int threshold = 300);
  // The loudest channel's zero crossings per second in the window from start of the length
  // given: a tone's frequency times two; 0 for silence.
  double CrossingsPerSecond(Clock::time_point start, std::chrono::milliseconds length,
                            int threshold = 300);

 private:
  struct Block {
    Clock::time_point arrived;
    std::vector<int16_t> samples;  // interleaved stereo
  };
  bool StartRecording(std::string& whyNot);
  void Record(int fd);
  pid_t ServerPid() const;
  Clock::time_point SampleTime(const Block& block, size_t frame) const;

  testing_support::TempDir m_runtime;
  bool m_serverStarted = false;
  pid_t m_recorder = -1;
  int m_recorderOutput = -1;
  std::thread m_reader;
  std::mutex m_mutex;
  std::vector<Block> m_blocks;
  std::atomic<bool> m_recording{false};
};

}  // namespace sound_server
