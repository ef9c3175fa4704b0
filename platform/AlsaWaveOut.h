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
  // One PCM as ALSA's configuration hints at it.
  struct Hint {
    std::string name;         // "default", "pulse", "plughw:CARD=PCH,DEV=0", ...
    std::string description;  // its lines joined by '\n'
    std::string direction;    // "Input", "Output", or empty for both
  };
  // The sound servers that run now, and whether an OSS device exists.
  struct Servers {
    bool pulseAudio = false;
    bool pipeWire = false;
    bool jack = false;
    bool oss = false;
  };

  AlsaWaveOut();
  // The outputs a user can choose among ALSA's PCMs (see ChooseOutputs).
  std::vector<WaveDeviceName> ListDevices() override;
  std::string PreferredDevice() override;
  std::unique_ptr<WaveOutSink> CreateSink(const std::string& address) override;

  // The outputs among the hints: the system's default (named after the sound server it goes
  // through), then each sound card's outputs by their description, opened through the card's
  // default or its converting "plughw" device, then the backends whose server runs. Converter
  // plugins, raw and mixing devices of the cards and the discarding "null" PCM are left out.
  static std::vector<WaveDeviceName> ChooseOutputs(const std::vector<Hint>& hints,
                                                   const Servers& servers);
  static Servers RunningServers();
};

}  // namespace platform
