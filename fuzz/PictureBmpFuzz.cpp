// Fuzz target: the BMP reader on arbitrary bytes, and the conversion of whatever it accepts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DibBitmap dib;
  std::string error;
  if (ReadBmp(data, size, dib, error)) {
    std::vector<uint8_t> rgb(static_cast<size_t>(dib.Width()) * dib.Height() * 3);
    dib.ToRgb(rgb.data());
  }
  // The same bytes as a packed DIB (a resource without its file header).
  if (size > 14) ReadPackedDib(data + 14, size - 14, dib, error);
  return 0;
}
