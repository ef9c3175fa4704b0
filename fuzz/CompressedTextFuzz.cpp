// The decoder of the compressed text resources, fed whole resources and bare streams.
#include <cstddef>
#include <cstdint>

#include "res/CompressedText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = res::UnpackTextResource(data, size);
  // A stream of n bytes yields at most 18 bytes per 2 of them.
  if (text.size() > size * 9 + 8) __builtin_trap();
  res::DecodeTextStream(data, size, size * 9);
  return 0;
}
