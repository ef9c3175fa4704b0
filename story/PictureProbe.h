#pragma once
// Picture header probes: the size of a BMP or PNG file without decoding its pixels.
#include <cstdint>
#include <string>

// The file starts with the first four bytes of the PNG signature (0x89 'P' 'N' 'G').
bool IsPngFile(const std::string& path);

// Width and height from a BMP file's 14-byte file header ("BM") and the 40-byte info header
// that follows it. False for a short file, another type or a file error.
bool ReadBmpFileSize(const std::string& path, int32_t& width, int32_t& height);

// Width and height from a PNG file's header chunk, read through libpng. False for a file that
// is not PNG or whose header libpng rejects.
bool ReadPngFileSize(const std::string& path, int32_t& width, int32_t& height);
