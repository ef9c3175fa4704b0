#include "tests/audio/VorbisEncoder.h"

#include <cmath>
#include <vector>

#include "tools/sounds/SoundFiles.h"

namespace vorbis_test {

std::string Encode(int channels, long rate, long frames, const SampleSource& source, float quality, int serial) {
  std::vector<float> samples;
  samples.reserve(static_cast<size_t>(frames) * static_cast<size_t>(channels));
  for (long frame = 0; frame < frames; ++frame)
    for (int channel = 0; channel < channels; ++channel) samples.push_back(source(frame, channel));
  return EncodeOgg(samples, channels, static_cast<int>(rate), quality, serial, "test tone");
}

SampleSource Sine(double frequency, long rate, float amplitude) {
  return [=](long frame, int channel) {
    double level = amplitude * (0.6 + 0.4 * channel / 6.0);
    return static_cast<float>(level * std::sin(2.0 * M_PI * frequency * frame / rate + channel));
  };
}

}  // namespace vorbis_test
