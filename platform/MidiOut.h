#pragma once
// MIDI output: the interfaces a backend implements (one output opened for a stream, and the
// devices a backend offers). This header includes no backend header; the backends are chosen
// at run time by MidiOutSystem.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Multimedia.h"

namespace platform {

// One opened MIDI output. A stream calls it from its own thread and from the thread that stops
// the stream, never from both at once.
class MidiOutput {
 public:
  virtual ~MidiOutput() = default;
  // On failure returns the code and describes the cause.
  virtual MMRESULT Open(std::string& errorText) = 0;
  virtual void Close() = 0;
  // A short message packed as status + first data byte * 0x100 + second data byte * 0x10000;
  // only as many bytes as the status calls for are meant.
  virtual void SendShort(uint32_t message) = 0;
  // System bytes as they go on the wire: a system-exclusive message (0xF0 ... 0xF7), or a part
  // of one that later calls continue, or other system messages (escape packets of a file).
  virtual void SendLong(const uint8_t* data, size_t size) = 0;
};

struct MidiDeviceName {
  std::string name;     // shown in the device list
  std::string address;  // what the backend opens it by
  bool onlyIfAlone = false;  // listed only when no other device is (it sounds nowhere itself)
};

// One kind of MIDI output (built-in synthesizer, sequencer ports, capture).
class MidiOutBackend {
 public:
  virtual ~MidiOutBackend() = default;
  // The devices this backend offers now, in order.
  virtual std::vector<MidiDeviceName> ListDevices() = 0;
  virtual std::unique_ptr<MidiOutput> CreateOutput(const MidiDeviceName& device) = 0;
};

// The number of bytes of a short message with this status byte (1 to 3).
int ShortMessageLength(uint8_t status);

}  // namespace platform
