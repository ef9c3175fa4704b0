#pragma once
// Sound files of the demo stories: RIFF WAVE with 8- or 16-bit PCM, and Ogg Vorbis through
// libvorbisenc. Samples are floats in -1..1, channels interleaved. The same samples always give
// the same bytes.
#include <string>
#include <vector>

// PCM WAVE; bits is 8 (unsigned samples) or 16 (signed little-endian).
std::string EncodeWav(const std::vector<float>& samples, int channels, int rate, int bits);

// Ogg Vorbis at the given quality (-0.1 to 1) with the stream serial number given; empty when
// the encoder refuses the settings.
std::string EncodeOgg(const std::vector<float>& samples, int channels, int rate, float quality, int serial,
                      const std::string& title);
