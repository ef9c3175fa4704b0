#include "res/Resources.h"

#include <vector>

namespace res {
namespace {

std::vector<ResourceEntry>& Registry() {
  static std::vector<ResourceEntry> entries;
  return entries;
}

}  // namespace

bool FindResource(ResourceType type, unsigned id, const uint8_t*& data, size_t& size) {
  for (const ResourceEntry& entry : Registry()) {
    if (entry.type == type && entry.id == id) {
      data = entry.data;
      size = entry.size;
      return true;
    }
  }
  return false;
}

void RegisterResources(const ResourceEntry* entries, size_t count) {
  Registry().insert(Registry().end(), entries, entries + count);
}

}  // namespace res
