#pragma once
// Little-endian integers appended to a byte string, as RIFF and BMP headers store them.
#include <cstdint>
#include <string>

inline void PutLe16(std::string& out, uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

inline void PutLe32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}
