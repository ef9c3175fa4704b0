#include "audio/OutputDevices.h"

#include "platform/CaseFolding.h"
#include "platform/MidiOutSystem.h"
#include "platform/Multimedia.h"
#include "platform/WaveOutSystem.h"

const char kAutomaticDeviceName[] = "<Automatic>";

namespace {

bool Enumerate(std::vector<CDeviceEntry>& list, platform::DeviceCatalog& devices,
               bool leaveOutSynchronous) {
  list.clear();
  const uint32_t count = devices.GetDeviceCount();
  for (uint32_t id = 0; id < count; ++id) {
    platform::OutputDeviceCaps caps;
    if (devices.GetDeviceCaps(id, caps) != MMSYSERR_NOERROR) continue;
    if (leaveOutSynchronous && (caps.support & WAVECAPS_SYNC)) continue;
    list.push_back(CDeviceEntry{caps.name, id, false});
  }
  if (list.empty()) return false;
  list.push_back(CDeviceEntry{kAutomaticDeviceName, WAVE_MAPPER, true});
  return true;
}

}  // namespace

bool EnumerateWaveOutputDevices(std::vector<CDeviceEntry>& list,
                                platform::DeviceCatalog& devices) {
  return Enumerate(list, devices, true);
}

bool EnumerateWaveOutputDevices(std::vector<CDeviceEntry>& list) {
  return EnumerateWaveOutputDevices(list, platform::WaveOutSystem::Default());
}

bool EnumerateMidiOutputDevices(std::vector<CDeviceEntry>& list,
                                platform::DeviceCatalog& devices) {
  return Enumerate(list, devices, false);
}

const CDeviceEntry* FindDeviceByName(const std::vector<CDeviceEntry>& list,
                                     const std::string& name) {
  for (const CDeviceEntry& entry : list)
    if (platform::EqualsIgnoringCase(entry.m_name, name)) return &entry;
  return nullptr;
}

bool EnumerateMidiOutputDevices(std::vector<CDeviceEntry>& list) {
  return EnumerateMidiOutputDevices(list, platform::MidiOutSystem::Default());
}
