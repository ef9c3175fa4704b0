#pragma once
// MIDI output to the ports of the ALSA sequencer: synthesizers, hardware MIDI ports and
// software instruments that take MIDI.
#include <memory>
#include <string>
#include <vector>

#include "platform/MidiOut.h"

namespace platform {

class AlsaSeqMidiOut : public MidiOutBackend {
 public:
  // A port of another client that takes MIDI from others.
  struct Port {
    std::string client;   // the client's name
    std::string name;     // the port's name
    std::string address;  // "client:port"
    unsigned type = 0;    // SND_SEQ_PORT_TYPE_* bits
  };

  AlsaSeqMidiOut();
  // The ports a user can play on, by ChoosePorts.
  std::vector<MidiDeviceName> ListDevices() override;
  std::unique_ptr<MidiOutput> CreateOutput(const MidiDeviceName& device) override;

  // The ports of devices and synthesizers, named by port. The through ports, which sound
  // nowhere, are listed only when no other MIDI output is there; ports of programs that are no
  // synthesizers are left out.
  static std::vector<MidiDeviceName> ChoosePorts(const std::vector<Port>& ports);
};

}  // namespace platform
