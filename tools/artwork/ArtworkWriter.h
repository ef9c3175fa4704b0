#pragma once
// Writes the artwork canvases as the files the program embeds: indexed BMPs (16 or 256
// colours) and PNGs.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/artwork/Canvas.h"

// An indexed BMP of bitCount 4 or 8. With a palette, every pixel must be one of its colours;
// without one, the picture's own colours (at most 2^bitCount) form the colour table in
// ascending order. False with error otherwise.
bool EncodeIndexedBmp(const CCanvas& canvas, unsigned bitCount, const std::vector<Colour>& palette,
                      std::vector<uint8_t>& out, std::string& error);

// An RGBA PNG; pixels of the colour key (when given) are fully transparent.
bool EncodePng(const CCanvas& canvas, const Colour* transparentKey, std::vector<uint8_t>& out,
               std::string& error);
