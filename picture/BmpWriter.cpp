#include "picture/BmpWriter.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value);
  Put16(out, value >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const DibBitmap& dib) {
  const BitmapInfoHeader& h = dib.header;
  const bool bitfields = h.biCompression == kBiBitfields;
  const uint32_t offBits = static_cast<uint32_t>(14 + 40 + (bitfields ? 12 : 0) + dib.colors.size() * 4);
  const uint32_t fileSize = static_cast<uint32_t>(offBits + dib.bits.size());
  std::vector<uint8_t> out;
  out.reserve(fileSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, fileSize);
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(h.biWidth));
  Put32(out, static_cast<uint32_t>(h.biHeight));
  Put16(out, 1);
  Put16(out, h.biBitCount);
  Put32(out, bitfields ? kBiBitfields : kBiRgb);
  Put32(out, static_cast<uint32_t>(dib.bits.size()));
  Put32(out, static_cast<uint32_t>(h.biXPelsPerMeter));
  Put32(out, static_cast<uint32_t>(h.biYPelsPerMeter));
  Put32(out, static_cast<uint32_t>(dib.colors.size()));
  Put32(out, 0);
  if (bitfields)
    for (uint32_t mask : dib.masks) Put32(out, mask);
  for (const RgbQuad& quad : dib.colors) {
    out.push_back(quad.rgbBlue);
    out.push_back(quad.rgbGreen);
    out.push_back(quad.rgbRed);
    out.push_back(0);
  }
  out.insert(out.end(), dib.bits.begin(), dib.bits.end());
  return out;
}

bool WriteBmpFile(const DibBitmap& dib, const std::string& path, std::string& error) {
  const std::vector<uint8_t> bytes = EncodeBmp(dib);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = path + ": " + std::system_category().message(errno);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    error = path + ": " + std::system_category().message(written ? errno : writeErrno);
    return false;
  }
  return true;
}
