#pragma once
// Binary resources embedded in the program at build time (bitmaps as BMP files, raw data),
// found by type and numeric id. A program gets them by naming the files in its build with
// fablewick_embed_resources (res/EmbedResources.cmake).
#include <cstddef>
#include <cstdint>

namespace res {

enum class ResourceType { Bitmap, RawData };

struct ResourceEntry {
  ResourceType type;
  unsigned id;
  const uint8_t* data;
  size_t size;
};

// Sets data and size to the resource and returns true; false when there is none.
bool FindResource(ResourceType type, unsigned id, const uint8_t*& data, size_t& size);

// Adds a table of resources; the generated resource sources call it while the program starts.
// An id registered twice for the same type keeps its first entry.
void RegisterResources(const ResourceEntry* entries, size_t count);

}  // namespace res
