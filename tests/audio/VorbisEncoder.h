#pragma once
// Encodes Ogg Vorbis streams in memory with libvorbisenc, for tests and benchmarks.
#include <functional>
#include <string>

namespace vorbis_test {

// A sample in -1..1 of a frame and channel.
using SampleSource = std::function<float(long frame, int channel)>;

// One logical stream of frames frames; the same arguments give the same bytes.
std::string Encode(int channels, long rate, long frames, const SampleSource& source,
                   float quality = 0.4f, int serial = 1);

// A sine of the frequency, each channel a little louder than the one before.
SampleSource Sine(double frequency, long rate, float amplitude = 0.5f);

}  // namespace vorbis_test
