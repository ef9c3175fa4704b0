// Fuzz target: the PNG-to-DIB converter on arbitrary bytes, with the player's settings, and
// the packed DIB it produces read back as the picture's pixel store.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/BmpReader.h"
#include "ui/PngToDib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CPngToDib converter;
  converter.SetInputData(data, size);
  converter.SetUseFileBackground(true);
  converter.SetGammaCorrection(true, 2.2);
  if (converter.Run() == CPngToDib::kSuccess) {
    DibBitmap dib;
    std::string error;
    if (!ReadPackedDib(converter.GetDib(), converter.GetDibSize(), dib, error)) __builtin_trap();
  }
  return 0;
}
