#pragma once
// The packer of the program's compressed texts: the encoder whose output the program's
// ring-buffer decoder (res/CompressedText.h) reads back.
#include <cstdint>
#include <string>
#include <vector>

// The compressed stream of text, without the resource header.
std::vector<uint8_t> EncodeTextStream(const std::string& text);

// A whole compressed text resource: header (stored size, text size), stream, and a padding
// byte when the stored size is odd.
std::vector<uint8_t> PackTextResource(const std::string& text);
