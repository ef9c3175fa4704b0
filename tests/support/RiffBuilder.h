#pragma once
// Builds RIFF bytes in memory: chunks with little-endian sizes and pad bytes, and WAVE files.
#include <cstdint>
#include <string>

namespace riff {

inline std::string LE16(uint32_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

inline std::string LE32(uint32_t value) { return LE16(value & 0xFFFF) + LE16(value >> 16); }

// A chunk with its true size; an odd-sized body is followed by a pad byte.
inline std::string Chunk(const std::string& id, const std::string& body) {
  std::string out = id + LE32(static_cast<uint32_t>(body.size())) + body;
  if (body.size() % 2) out += '\0';
  return out;
}

// A chunk whose header claims size, whatever the body holds (no pad byte).
inline std::string ChunkClaiming(const std::string& id, uint32_t size, const std::string& body) {
  return id + LE32(size) + body;
}

inline std::string Riff(const std::string& form, const std::string& chunks) {
  return Chunk("RIFF", form + chunks);
}

// The 16-byte PCM format: tag, channels, rate, bytes per second, block alignment, bits.
inline std::string PcmFormat(uint32_t channels, uint32_t rate, uint32_t bits, uint32_t tag = 1) {
  uint32_t align = channels * bits / 8;
  return LE16(tag) + LE16(channels) + LE32(rate) + LE32(rate * align) + LE16(align) + LE16(bits);
}

inline std::string Wave(const std::string& format, const std::string& data,
                        const std::string& before = "", const std::string& after = "") {
  return Riff("WAVE", before + Chunk("fmt ", format) + Chunk("data", data) + after);
}

}  // namespace riff
