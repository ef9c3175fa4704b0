#pragma once
// Wave output through ALSA PCM devices. Its "default" device goes through PipeWire or
// PulseAudio where they run.
#include <memory>
#include <string>
#include <vector>

#include "platform/WaveOut.h"

namespace platform {

class AlsaWaveOut : public WaveOutBackend {
 public:
  AlsaWaveOut();
  // The output PCMs ALSA's configuration names, the discarding "null" PCM left out.
  std::vector<std::string> ListDevices() override;
  std::string PreferredDevice() override;
  std::unique_ptr<WaveOutSink> CreateSink(const std::string& device) override;
};

}  // namespace platform
