#pragma once
// The picture half of the story tool's decode command: loads a picture file as the player
// does and writes the converted DIB as a BMP file.
#include <string>

// Loads media (PNG or BMP by its first bytes, found ignoring letter case) and writes out ("-":
// standard output). On
// failure returns false with a message naming the file in error.
bool DecodePicture(const std::string& media, const std::string& out, std::string& error);
