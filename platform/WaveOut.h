#pragma once
// Wave output: the buffer header the engine queues, and the interfaces a backend implements.
// This header includes no backend header; the backends are chosen at run time by
// WaveOutSystem.
#include <poll.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Multimedia.h"
#include "platform/WaveFormat.h"

// One buffer of sample bytes queued on a wave output device.
struct WAVEHDR {
  uint8_t* lpData = nullptr;     // the sample bytes
  uint32_t dwBufferLength = 0;   // bytes of lpData to play
  uint32_t dwBytesRecorded = 0;
  uintptr_t dwUser = 0;          // the owner's own value; carried with the buffer-done notice
  uint32_t dwFlags = 0;          // WHDR_*
  uint32_t dwLoops = 0;
  WAVEHDR* lpNext = nullptr;
  uintptr_t reserved = 0;
};

constexpr uint32_t WHDR_DONE = 0x01;
constexpr uint32_t WHDR_PREPARED = 0x02;
constexpr uint32_t WHDR_INQUEUE = 0x10;

namespace platform {

// One backend's PCM output for one opened device. The wave output device drives it from its
// feeder thread and serialises every call but the waiting on PollDescriptors.
class WaveOutSink {
 public:
  virtual ~WaveOutSink() = default;
  // Opens the output for the format. On failure returns the code and describes the cause.
  virtual MMRESULT Open(const WAVEFORMATEX& format, std::string& errorText) = 0;
  virtual void Close() = 0;
  // Frames the output takes now without waiting; a negative error number (-errno) when it has
  // failed for good.
  virtual long Writable() = 0;
  // Takes up to frames frames; returns how many it took, or a negative error number when it
  // has failed for good.
  virtual long Write(const uint8_t* data, long frames) = 0;
  // Frames taken but not yet sounded.
  virtual long Pending() = 0;
  // No more data follows for now: what was taken plays even if it is little.
  virtual void Flush() {}
  virtual void Pause(bool paused) = 0;
  // Discards the frames not yet sounded; the output is ready for new data.
  virtual void Drop() = 0;
  // Descriptors that signal room for writing (may be none).
  virtual void PollDescriptors(std::vector<pollfd>& fds) = 0;
  // Digests the events of a wait on PollDescriptors.
  virtual void PollEvents(std::vector<pollfd>& fds) { (void)fds; }
  // The longest wait, in milliseconds, before room for wantFrames may appear without a
  // descriptor telling it; -1 when only the descriptors tell.
  virtual int WaitTimeoutMs(long wantFrames) = 0;
};

struct WaveDeviceName {
  std::string name;     // shown in the device list
  std::string address;  // what the backend opens it by
};

// One kind of wave output (ALSA, null) with the devices it offers.
class WaveOutBackend {
 public:
  virtual ~WaveOutBackend() = default;
  // The devices this backend offers now, in order.
  virtual std::vector<WaveDeviceName> ListDevices() = 0;
  // The address of this backend's preferred output; empty when there is none.
  virtual std::string PreferredDevice() = 0;
  virtual std::unique_ptr<WaveOutSink> CreateSink(const std::string& address) = 0;
};

// Whether the format is linear PCM that the outputs can play: 1 to 8 channels of 8, 16, 24 or
// 32 bits, a rate from 1,000 to 384,000 Hz and a consistent block alignment.
bool IsPlayablePcmFormat(const WAVEFORMATEX& format);

}  // namespace platform
