#pragma once
// The wave output engine: plays one PCM sound at a time, pulling samples from a filler into two
// alternating buffers on a worker thread, with repeats and random pauses between them.
//
// The application's thread calls every operation but GetBytesPerSample. The worker takes the
// device's buffer-done notices, refills buffers, waits out the pauses and tells the listener
// when a sound has finished. One lock keeps the two apart: the worker holds it while it refills
// or restarts, and Play, Stop, Close and Shutdown take it, so that a fill in progress has ended
// before they return (the game closes a filler's sound only after Stop). Each write of a buffer
// gets a ticket that the device hands back with its notice; a notice whose ticket is not the
// buffer's latest is stale and never refills a buffer the device still holds.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "audio/WaveBufferFiller.h"
#include "audio/WaveListener.h"
#include "platform/ThreadMessageQueue.h"
#include "platform/WaveFormat.h"
#include "platform/WaveOut.h"

namespace platform {
class WaveOutDevice;
class WaveOutSystem;
}  // namespace platform

class CWavePlayer {
 public:
  static constexpr uint32_t kBufferBytes = 8192;
  static constexpr int kDrainPollMs = 7;

  // Plays on the system's wave output devices.
  CWavePlayer();
  // Plays on the devices of the given system, which outlives the engine.
  explicit CWavePlayer(platform::WaveOutSystem& devices);
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

  // Bytes per sample of the open format (8 bits: 1, 16 bits: 2); called by fillers on either
  // thread.
  int GetBytesPerSample() const { return m_bytesPerSample; }

  // The result of the last public operation, or the failure of the device that ended the
  // sound since (the worker records it).
  uint32_t GetLastErrorCode() const;
  std::string GetLastErrorText() const;
  bool IsInitialized() const { return m_initialized; }
  bool IsPlaying() const { return m_playing; }
  // The pause range the current sound was given, as Play received it.
  int GetDelayMin() const { return m_delayMin; }
  int GetDelayMax() const { return m_delayMax; }
  uint32_t GetDeviceId() const { return m_deviceId; }
  std::string GetDeviceName() const { return m_deviceName; }
  bool IsDeviceOpen();

  // The pause before a repeat in milliseconds, from one value r (0 to 32767) of the standard
  // generator: delayMin + r mod (delayMax - delayMin + 1).
  static int RepeatDelay(int delayMin, int delayMax, int r);
  // The next r for RepeatDelay: 15 bits of the process's standard generator, never seeded, as
  // the story format expects (the C library's generator gives 31).
  static int DrawDelayValue();

 private:
  enum class WorkerState { Streaming, Draining, Delaying };
  struct FillResult {
    uint32_t bytes = 0;
    MMRESULT writeResult = MMSYSERR_NOERROR;
  };
  using Clock = std::chrono::steady_clock;

  bool LookUpDevice();
  bool Record(MMRESULT code);
  bool StartWorker();
  void StopWorker();
  void FreeBuffers();
  // The parts below run with m_mutex held.
  MMRESULT ResetDevice();
  void CloseDevice(MMRESULT& result);
  FillResult RefillAndWrite(int index);
  bool AdvanceRepeatCount();
  int DrawDelay();
  // The worker.
  void WorkerMain();
  void TakeMessages(bool& quit);
  // These return the listener to tell that the sound has ended, or null.
  IWaveListener* OnBufferDone(const platform::ThreadMessage& notice);
  IWaveListener* EndOnDeviceFailure(MMRESULT code);
  MMRESULT ReopenFailedDevice();
  void OnDrainPoll();
  void OnDelayOver();
  MMRESULT RestartSound();
  void FollowNewSound();

  platform::WaveOutSystem& m_devices;
  mutable std::mutex m_mutex;

  WAVEHDR m_headers[2];
  uint64_t m_tickets[2] = {0, 0};  // the latest write of each buffer; 0: not with the device
  uint64_t m_lastTicket = 0;
  WAVEFORMATEX m_format{};
  std::atomic<int> m_bytesPerSample{0};
  IWaveBufferFiller* m_filler = nullptr;
  IWaveListener* m_listener = nullptr;
  std::unique_ptr<platform::WaveOutDevice> m_device;
  uint32_t m_deviceId = WAVE_MAPPER;
  std::string m_deviceName;
  int m_loopCount = -1;
  int m_loopsRemaining = -1;
  int m_delayMin = 0;
  int m_delayMax = 0;
  std::atomic<bool> m_playing{false};
  bool m_initialized = false;
  uint32_t m_lastErrorCode = 0;
  std::string m_lastErrorText;
  uint32_t m_lastPosition = 0;
  bool m_positionRecorded = false;

  // Every Play and Stop starts a new sound generation; the worker leaves a drain or pause that
  // belongs to an earlier one.
  uint64_t m_soundGeneration = 0;

  // Worker state, touched only under m_mutex.
  WorkerState m_state = WorkerState::Streaming;
  uint64_t m_workerGeneration = 0;
  bool m_repeatFollows = false;
  bool m_soundFailed = false;  // the device failed under the current sound, which has ended
  int m_pendingDelayMs = 0;
  Clock::time_point m_deadline;

  platform::ThreadMessageQueue m_messages;
  std::thread m_worker;
};
