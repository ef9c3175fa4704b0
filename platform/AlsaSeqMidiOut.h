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
  AlsaSeqMidiOut();
  // The ports that take MIDI from other clients, named by port; the system's own client and
  // the through ports, which sound nowhere, are left out.
  std::vector<MidiDeviceName> ListDevices() override;
  std::unique_ptr<MidiOutput> CreateOutput(const MidiDeviceName& device) override;
};

}  // namespace platform
