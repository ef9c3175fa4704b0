#include "platform/WaveOutSystem.h"

#include "platform/AlsaWaveOut.h"
#include "platform/NullWaveOut.h"

namespace platform {

WaveOutSystem::WaveOutSystem(std::vector<std::unique_ptr<WaveOutBackend>> backends)
    : m_backends(std::move(backends)) {}

WaveOutSystem& WaveOutSystem::Default() {
  static WaveOutSystem* system = [] {
    std::vector<std::unique_ptr<WaveOutBackend>> backends;
    backends.push_back(std::make_unique<AlsaWaveOut>());
    backends.push_back(std::make_unique<NullWaveOut>());
    return new WaveOutSystem(std::move(backends));
  }();
  return *system;
}

void WaveOutSystem::Refresh() {
  m_devices.clear();
  for (const auto& backend : m_backends)
    for (const WaveDeviceName& name : backend->ListDevices())
      m_devices.push_back(Device{backend.get(), name});
  m_listed = true;
}

uint32_t WaveOutSystem::GetDeviceCount() {
  std::lock_guard<std::mutex> lock(m_mutex);
  Refresh();
  return static_cast<uint32_t>(m_devices.size());
}

MMRESULT WaveOutSystem::GetDeviceCaps(uint32_t id, OutputDeviceCaps& caps) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_listed) Refresh();
  if (id >= m_devices.size()) return MMSYSERR_BADDEVICEID;
  caps.name = CutDeviceName(m_devices[id].name.name);
  caps.support = 0;
  return MMSYSERR_NOERROR;
}

MMRESULT WaveOutSystem::Open(uint32_t id, const WAVEFORMATEX& format,
                             ThreadMessageQueue* notices, std::unique_ptr<WaveOutDevice>& device,
                             std::string& errorText) {
  std::lock_guard<std::mutex> lock(m_mutex);
  device.reset();
  if (id != WAVE_MAPPER) {
    if (!m_listed) Refresh();
    if (id >= m_devices.size()) return MMSYSERR_BADDEVICEID;
    const Device& chosen = m_devices[id];
    return WaveOutDevice::Open(chosen.backend->CreateSink(chosen.name.address), format, notices,
                               device, errorText);
  }
  MMRESULT result = MMSYSERR_NODRIVER;
  for (const auto& backend : m_backends) {
    const std::string preferred = backend->PreferredDevice();
    if (preferred.empty()) continue;
    result = WaveOutDevice::Open(backend->CreateSink(preferred), format, notices, device,
                                 errorText);
    if (result == MMSYSERR_NOERROR) break;
  }
  return result;
}

}  // namespace platform
