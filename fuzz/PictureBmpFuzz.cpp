// Fuzz target: the BMP reader on arbitrary bytes, in memory and from a file (the player's path,
// which reads the headers first and must come to the same picture), and the conversion of
// whatever it accepts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzInputFile.h"
#include "picture/BmpReader.h"

namespace {

constexpr size_t kMaxConvertedPixels = 1u << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DibBitmap dib;
  std::string error;
  const bool read = ReadBmp(data, size, dib, error);
  // Converting a picture near the size limit takes seconds in this build and reaches no code
  // that a smaller one does not.
  const size_t pixels = read ? static_cast<size_t>(dib.Width()) * dib.Height() : 0;
  if (pixels > 0 && pixels <= kMaxConvertedPixels) {
    std::vector<uint8_t> rgb(pixels * 3);
    dib.ToRgb(rgb.data());
  }
  DibBitmap fromFile;
  const fuzz::InputFile input(data, size);
  const bool readFromFile = ReadBmpFile(input.Path(), fromFile, error);
  if (readFromFile != read || (read && (fromFile.bits != dib.bits || fromFile.colors.size() != dib.colors.size())))
    __builtin_trap();
  // The same bytes as a packed DIB (a resource without its file header).
  if (size > 14) ReadPackedDib(data + 14, size - 14, dib, error);
  return 0;
}
