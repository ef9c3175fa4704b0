#include "platform/MidiOutSystem.h"

#include <algorithm>

#include "platform/AlsaSeqMidiOut.h"
#include "platform/FluidSynthMidiOut.h"

namespace platform {

MidiOutSystem::MidiOutSystem(std::vector<std::unique_ptr<MidiOutBackend>> backends)
    : m_backends(std::move(backends)) {}

MidiOutSystem& MidiOutSystem::Default() {
  static MidiOutSystem* system = [] {
    std::vector<std::unique_ptr<MidiOutBackend>> backends;
    backends.push_back(std::make_unique<FluidSynthMidiOut>());
    backends.push_back(std::make_unique<AlsaSeqMidiOut>());
    return new MidiOutSystem(std::move(backends));
  }();
  return *system;
}

void MidiOutSystem::Refresh() {
  m_devices.clear();
  for (const auto& backend : m_backends)
    for (const MidiDeviceName& name : backend->ListDevices())
      m_devices.push_back(Device{backend.get(), name});
  const bool anyOther = std::any_of(m_devices.begin(), m_devices.end(),
                                    [](const Device& device) { return !device.name.onlyIfAlone; });
  if (anyOther)
    m_devices.erase(std::remove_if(m_devices.begin(), m_devices.end(),
                                   [](const Device& device) { return device.name.onlyIfAlone; }),
                    m_devices.end());
  m_listed = true;
}

uint32_t MidiOutSystem::GetDeviceCount() {
  std::lock_guard<std::mutex> lock(m_mutex);
  Refresh();
  return static_cast<uint32_t>(m_devices.size());
}

MMRESULT MidiOutSystem::GetDeviceCaps(uint32_t id, OutputDeviceCaps& caps) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_listed) Refresh();
  if (id >= m_devices.size()) return MMSYSERR_BADDEVICEID;
  caps.name = CutDeviceName(m_devices[id].name.name);
  caps.support = 0;
  return MMSYSERR_NOERROR;
}

MMRESULT MidiOutSystem::OpenStream(uint32_t id, MidiStreamCallback callback, uintptr_t instance,
                                   std::unique_ptr<MidiStream>& stream, std::string& errorText) {
  std::lock_guard<std::mutex> lock(m_mutex);
  stream.reset();
  if (!m_listed) Refresh();
  if (id != MIDI_MAPPER) {
    if (id >= m_devices.size()) return MMSYSERR_BADDEVICEID;
    const Device& chosen = m_devices[id];
    return MidiStream::Open(chosen.backend->CreateOutput(chosen.name), callback, instance, stream,
                            errorText);
  }
  MMRESULT result = MIDIERR_NODEVICE;
  for (const Device& device : m_devices) {
    result = MidiStream::Open(device.backend->CreateOutput(device.name), callback, instance,
                              stream, errorText);
    if (result == MMSYSERR_NOERROR) break;
  }
  return result;
}

}  // namespace platform
