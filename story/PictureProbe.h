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

// Pictures of a story are at most this large.
constexpr int32_t kMaxPictureWidth = 200;
constexpr int32_t kMaxPictureHeight = 112;

enum class ImageCheck { Fits = 0, TooLarge = 1, Unreadable = 2 };

// Reads the size of a picture (BMP tried first, then PNG) and compares it with the limit as
// signed numbers. Only regular files are read: a device or pipe named as a picture is
// Unreadable, so that checking a story never waits on one.
ImageCheck CheckImage(const std::string& path);

// The size comparison alone, for a path already known to be a regular file.
ImageCheck ProbeImageSize(const std::string& path);
