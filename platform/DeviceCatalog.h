#pragma once
// The numbered output devices of one kind (wave or MIDI), as the device lists ask for them.
#include <cstdint>
#include <string>

#include "platform/Multimedia.h"

namespace platform {

// Device names are reported with at most this many bytes.
constexpr size_t kMaxDeviceNameBytes = 31;

struct OutputDeviceCaps {
  std::string name;      // at most kMaxDeviceNameBytes bytes
  uint32_t support = 0;  // WAVECAPS_* flags
};

class DeviceCatalog {
 public:
  virtual ~DeviceCatalog() = default;
  // The number of devices; ids run from 0 to the count minus one.
  virtual uint32_t GetDeviceCount() = 0;
  virtual MMRESULT GetDeviceCaps(uint32_t id, OutputDeviceCaps& caps) = 0;
};

// The name cut to kMaxDeviceNameBytes bytes, never inside a UTF-8 sequence.
std::string CutDeviceName(const std::string& name);

}  // namespace platform
