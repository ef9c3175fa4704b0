// Fuzz target: the PNG-to-DIB converter on arbitrary bytes, with the player's settings, and
// the packed DIB it produces read back as the picture's pixel store. Chunk checksums are
// repaired first so that mutations reach the decoder instead of stopping at a CRC error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "picture/BmpReader.h"
#include "picture/PngToDib.h"

namespace {

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void RepairChecksums(std::vector<uint8_t>& png) {
  size_t at = 8;
  while (at + 12 <= png.size()) {
    const uint32_t length = static_cast<uint32_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    if (length > png.size() - at - 12) return;
    const uint32_t crc = Crc32(png.data() + at + 4, length + 4);
    uint8_t* out = png.data() + at + 8 + length;
    out[0] = static_cast<uint8_t>(crc >> 24);
    out[1] = static_cast<uint8_t>(crc >> 16);
    out[2] = static_cast<uint8_t>(crc >> 8);
    out[3] = static_cast<uint8_t>(crc);
    at += 12 + length;
  }
}

void Convert(const uint8_t* data, size_t size) {
  CPngToDib converter;
  converter.SetInputData(data, size);
  converter.SetUseFileBackground(true);
  converter.SetGammaCorrection(true, 2.2);
  if (converter.Run() == CPngToDib::kSuccess) {
    DibBitmap dib;
    std::string error;
    if (!ReadPackedDib(converter.GetDib(), converter.GetDibSize(), dib, error)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Convert(data, size);
  std::vector<uint8_t> repaired(data, data + size);
  RepairChecksums(repaired);
  Convert(repaired.data(), repaired.size());
  return 0;
}
