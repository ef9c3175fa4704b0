#pragma once
// One output device as the device lists show it: chosen and stored by name, opened by id.
#include <cstdint>
#include <string>

class CDeviceEntry {
 public:
  std::string m_name;       // the device's product name, at most 31 bytes
  uint32_t m_id = 0;        // the platform's device id; all ones for the system's preferred device
  bool m_isDefault = false;  // set only on the "<Automatic>" entry
};
