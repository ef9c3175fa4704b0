#pragma once
// The program's compressed texts (the about boxes' text windows). A compressed text resource is
// a header of two little-endian 32-bit numbers, S (the stored size, header included) and U (the
// size of the text), followed by S - 8 bytes of a ring-buffer dictionary stream, padded to an
// even size. The stream's flag bytes each describe the next eight items, lowest bit first: a set
// bit is one literal byte, a clear bit a back-reference of two bytes a, b into the 4096-byte
// ring of recent output (position a + (b >> 4) * 256, length (b & 15) + 3). The ring starts
// filled with spaces up to position 4078, where writing begins.
#include <cstddef>
#include <cstdint>
#include <string>

namespace res {

constexpr size_t kRingSize = 4096;
constexpr size_t kRingStart = 4078;       // the first write position; spaces lie below it
constexpr size_t kMinReference = 3;       // the shortest back-reference
constexpr size_t kMaxReference = 18;      // the longest: 4 bits of length above the minimum
constexpr size_t kTextHeaderSize = 8;

// Decodes a stream into at most limit bytes. Decoding ends when the input ends, also inside an
// item (an incomplete item yields nothing).
std::string DecodeTextStream(const uint8_t* stream, size_t size, size_t limit);

// The text of a compressed text resource: decoded when the resource's size is S rounded up to
// an even number (and S holds at least the header); otherwise the resource's own bytes.
std::string UnpackTextResource(const uint8_t* data, size_t size);

// The text of the program's compressed text resource with this id; false when there is none.
bool LoadTextResource(unsigned id, std::string& text);

}  // namespace res
