#pragma once
// An open wave output device: takes buffer headers in order, feeds their samples to a backend's
// sink on a feeder thread of its own, and returns each buffer with an MM_WOM_DONE notice posted
// to the owner's thread message queue once the sink has taken all of its bytes. A sink that
// fails for good (a sound server that went away) makes the device return every queued buffer
// with its notice at once; from then on writes and position queries fail.
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/ThreadMessageQueue.h"
#include "platform/WaveOut.h"

namespace platform {

class WaveOutDevice {
 public:
  // Opens the sink for the format and starts feeding it. Notices go to the queue (none when it
  // is null). On failure returns the code, leaves device empty and describes the cause.
  static MMRESULT Open(std::unique_ptr<WaveOutSink> sink, const WAVEFORMATEX& format,
                       ThreadMessageQueue* notices, std::unique_ptr<WaveOutDevice>& device,
                       std::string& errorText);
  // Resets and closes the device if that has not been done.
  ~WaveOutDevice();
  WaveOutDevice(const WaveOutDevice&) = delete;
  WaveOutDevice& operator=(const WaveOutDevice&) = delete;

  MMRESULT PrepareHeader(WAVEHDR* header);
  MMRESULT UnprepareHeader(WAVEHDR* header);
  // Queues a prepared buffer behind the others.
  MMRESULT Write(WAVEHDR* header);
  // Holds playback where it is; queued buffers wait.
  MMRESULT Pause();
  MMRESULT Restart();
  // Stops playback, returns every queued buffer with its done notice before it returns, and
  // sets the position to 0. The device no longer touches the returned buffers.
  MMRESULT Reset();
  // Samples sounded since the device was opened or last reset.
  MMRESULT GetPosition(uint32_t& samples);
  // Fails with WAVERR_STILLPLAYING while buffers are queued.
  MMRESULT Close();
  // Why the output failed for good; empty while it works.
  std::string GetFailure();

 private:
  WaveOutDevice(std::unique_ptr<WaveOutSink> sink, const WAVEFORMATEX& format,
                ThreadMessageQueue* notices, int wakeFd);
  void Wake();
  void FeedLoop();
  void WaitForWake(std::unique_lock<std::mutex>& lock);
  void WaitForRoom(std::unique_lock<std::mutex>& lock, long wantFrames);
  // Sends the front buffer's next frames to the sink; 0, or the sink's negative error number.
  long FeedFront(long room);
  void ReturnFront();
  void Fail(long error);
  void PostNotice(uint32_t message, WAVEHDR* header);
  void StopFeeder();

  std::mutex m_mutex;
  std::unique_ptr<WaveOutSink> m_sink;
  WAVEFORMATEX m_format;
  ThreadMessageQueue* m_notices;
  int m_wakeFd;
  std::deque<WAVEHDR*> m_queue;
  uint32_t m_frontOffset = 0;     // bytes of the front buffer already fed
  uint64_t m_framesWritten = 0;   // frames fed since open or reset
  bool m_paused = false;
  bool m_failed = false;
  std::string m_failure;
  bool m_closing = false;
  bool m_closed = false;
  std::thread m_feeder;
};

}  // namespace platform
