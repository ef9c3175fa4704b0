#pragma once
// Writes a pixel store as a BMP file: file header, 40-byte info header, the masks of bit-field
// pictures, the colour table and the bottom-up bits as they are in memory.
#include <cstdint>
#include <string>
#include <vector>

#include "picture/DibBitmap.h"

std::vector<uint8_t> EncodeBmp(const DibBitmap& dib);
bool WriteBmpFile(const DibBitmap& dib, const std::string& path, std::string& error);
