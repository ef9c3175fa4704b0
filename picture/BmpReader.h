#pragma once
// Reader of BMP files and packed DIBs into a pixel store: 1, 4, 8, 16, 24 and 32 bits per
// pixel; uncompressed, RLE8, RLE4 and bit-field pixels; bottom-up and top-down rows; OS/2 core
// headers, the 40-byte header and its 52-, 56-, 108- (V4) and 124-byte (V5) successors.
// RLE pictures come out uncompressed; top-down pictures come out bottom-up.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "picture/DibBitmap.h"

// Reads a whole BMP file held in memory (14-byte file header, then a packed DIB). On failure
// returns false with the reason in error and leaves dib unchanged.
bool ReadBmp(const uint8_t* data, size_t size, DibBitmap& dib, std::string& error);

// Reads a packed DIB: info header, colour table (or masks) and the bits right after them.
bool ReadPackedDib(const uint8_t* data, size_t size, DibBitmap& dib, std::string& error);

// The same for a packed DIB held in a block of its own: the block becomes the pixel store when
// its bits are complete bottom-up rows, so that large pictures are not copied.
bool AdoptPackedDib(std::vector<uint8_t>&& block, DibBitmap& dib, std::string& error);

// Reads a BMP file (opened ignoring letter case). Refuses a picture whose pixel store would be
// too large before reading more than its headers.
bool ReadBmpFile(const std::string& path, DibBitmap& dib, std::string& error);
