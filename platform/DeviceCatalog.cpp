#include "platform/DeviceCatalog.h"

namespace platform {

std::string CutDeviceName(const std::string& name) {
  if (name.size() <= kMaxDeviceNameBytes) return name;
  size_t end = kMaxDeviceNameBytes;
  // Step back over continuation bytes so that no character is cut in two.
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return name.substr(0, end);
}

}  // namespace platform
