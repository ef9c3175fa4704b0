#pragma once
// The lists of MIDI and wave output devices: the devices in ascending id order, then
// "<Automatic>", which stands for the system's preferred device.
#include <string>
#include <vector>

#include "audio/DeviceEntry.h"
#include "platform/DeviceCatalog.h"

extern const char kAutomaticDeviceName[];  // "<Automatic>"

// Empties the list and fills it with every device whose query succeeds, then "<Automatic>" when
// at least one was listed. The result says whether any device was found.
bool EnumerateMidiOutputDevices(std::vector<CDeviceEntry>& list);
bool EnumerateMidiOutputDevices(std::vector<CDeviceEntry>& list, platform::DeviceCatalog& devices);

// The same for wave output devices; devices that only play synchronously are left out as well.
bool EnumerateWaveOutputDevices(std::vector<CDeviceEntry>& list);
bool EnumerateWaveOutputDevices(std::vector<CDeviceEntry>& list, platform::DeviceCatalog& devices);

// The first entry whose name equals name ignoring case (also beyond ASCII); null when none does.
const CDeviceEntry* FindDeviceByName(const std::vector<CDeviceEntry>& list,
                                     const std::string& name);
