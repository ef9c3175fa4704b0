#pragma once
// The wave output devices of the system: the devices of an ordered table of backends, numbered
// in order (the null backend is always built and comes last), and the mapper, which opens the
// first backend's preferred device that works.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/DeviceCatalog.h"
#include "platform/ThreadMessageQueue.h"
#include "platform/WaveOut.h"
#include "platform/WaveOutDevice.h"

namespace platform {

class WaveOutSystem : public DeviceCatalog {
 public:
  explicit WaveOutSystem(std::vector<std::unique_ptr<WaveOutBackend>> backends);
  // ALSA, then null.
  static WaveOutSystem& Default();

  // Lists the devices afresh; ids stay valid until the next count.
  uint32_t GetDeviceCount() override;
  MMRESULT GetDeviceCaps(uint32_t id, OutputDeviceCaps& caps) override;

  // Opens device id (WAVE_MAPPER: the preferred device of the first backend that opens) for
  // the format; notices go to the queue. errorText describes a failure.
  MMRESULT Open(uint32_t id, const WAVEFORMATEX& format, ThreadMessageQueue* notices,
                std::unique_ptr<WaveOutDevice>& device, std::string& errorText);

 private:
  struct Device {
    WaveOutBackend* backend;
    WaveDeviceName name;
  };
  void Refresh();

  std::mutex m_mutex;
  std::vector<std::unique_ptr<WaveOutBackend>> m_backends;
  std::vector<Device> m_devices;
  bool m_listed = false;
};

}  // namespace platform
